#include "service/money.h"

#include <fmt/format.h>

namespace quorstat::service {
namespace {

constexpr Milli kMaxMilli = 1'000'000'000'000'000;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

std::optional<Milli> parseMoney(std::string_view text) {
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    if (whole.empty() || fraction.size() > 3 ||
        (point != std::string_view::npos && fraction.empty()))
        return std::nullopt;
    Milli amount = 0;
    for (const char c : whole) {
        if (!isDigit(c))
            return std::nullopt;
        amount = amount * 10 + (c - '0');
        if (amount > kMaxMilli / kMilliPerYuan)
            return std::nullopt;
    }
    Milli thousandths = 0;
    for (std::size_t i = 0; i < 3; ++i) {
        if (i < fraction.size() && !isDigit(fraction[i]))
            return std::nullopt;
        thousandths = thousandths * 10 + (i < fraction.size() ? fraction[i] - '0' : 0);
    }
    return amount * kMilliPerYuan + thousandths;
}

std::string formatMoney(Milli amount) {
    const Milli magnitude = amount < 0 ? -amount : amount;
    return fmt::format("{}{}.{:03}", amount < 0 ? "-" : "", magnitude / kMilliPerYuan,
                       magnitude % kMilliPerYuan);
}

std::string formatFigure(double value) {
    const std::string text = fmt::format("{:.2f}", value);
    // "-0.00" would read as a loss where there is none.
    return text == "-0.00" ? "0.00" : text;
}

}  // namespace quorstat::service
