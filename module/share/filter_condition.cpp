#include "share/filter_condition.h"

#include <fmt/format.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <string_view>

namespace quorstat {
namespace {

constexpr double kValueLimit = 2147483648.0;

std::string withoutBlanks(std::string_view text) {
    constexpr std::string_view kIdeographicSpace = "\xE3\x80\x80";
    std::string kept;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.substr(i).starts_with(kIdeographicSpace)) {
            i += kIdeographicSpace.size() - 1;
            continue;
        }
        if (text[i] != ' ' && text[i] != '\t' && text[i] != '\r' && text[i] != '\n')
            kept += text[i];
    }
    return kept;
}

// Digits with at most one decimal point, nothing else; a leading "-" only where `signedValue`.
std::optional<double> readValue(std::string_view text, bool signedValue) {
    const bool negative = signedValue && text.starts_with('-');
    if (negative)
        text.remove_prefix(1);
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    const auto allDigits = [](std::string_view part) {
        return part.find_first_not_of("0123456789") == std::string_view::npos;
    };
    if ((whole.empty() && fraction.empty()) || !allDigits(whole) || !allDigits(fraction))
        return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return negative ? -value : value;
}

// The value as the filter shows it; none beyond ±2^31 once shown, so a normal form always reads
// back as itself.
std::optional<std::string> formatValue(double value, bool isInteger) {
    // Checked before the integer conversion, which is undefined for values beyond its range.
    if (std::abs(value) >= kValueLimit)
        return std::nullopt;
    std::string shown = isInteger ? fmt::format("{}", static_cast<long long>(std::trunc(value)))
                                  : fmt::format("{:.2f}", value);
    double back = 0;
    std::from_chars(shown.data(), shown.data() + shown.size(), back);
    if (std::abs(back) >= kValueLimit)
        return std::nullopt;
    // "-0.00" is no value of its own.
    if (back == 0 && shown.starts_with('-'))
        shown.erase(0, 1);
    return shown;
}

struct Comparison {
    std::string_view op;
    std::string_view word;
};

constexpr Comparison kComparisons[] = {
    {">=", "大等于"}, {"<=", "小等于"}, {">", "大于"}, {"<", "小于"}, {"=", "等于"},
};

std::optional<std::string> compare(std::string& text, bool isInteger) {
    for (const Comparison& comparison : kComparisons) {
        if (!std::string_view(text).starts_with(comparison.op))
            continue;
        const auto value = readValue(std::string_view(text).substr(comparison.op.size()), true);
        const auto shown = value ? formatValue(*value, isInteger) : std::nullopt;
        if (!shown)
            return std::nullopt;
        // "=7" is the same as "7".
        text = (comparison.op == "=" ? "" : std::string(comparison.op)) + *shown;
        return fmt::format("{}|{}", comparison.word, *shown);
    }
    return std::nullopt;
}

std::optional<std::string> valueOrRange(std::string& text, bool isInteger) {
    const bool negative = text.starts_with('-');
    const std::string_view body = std::string_view(text).substr(negative ? 1 : 0);
    const std::size_t dash = body.find('-', 1);
    const auto lower = readValue(body.substr(0, dash), false);
    if (!lower)
        return std::nullopt;
    const double first = negative ? -*lower : *lower;
    if (dash == std::string_view::npos) {
        const auto shown = formatValue(first, isInteger);
        if (!shown)
            return std::nullopt;
        text = *shown;
        return "等于|" + text;
    }
    const auto second = readValue(body.substr(dash + 1), true);
    if (!second)
        return std::nullopt;
    const auto low = formatValue(std::min(first, *second), isInteger);
    const auto high = formatValue(std::max(first, *second), isInteger);
    if (!low || !high)
        return std::nullopt;
    text = *low + "-" + *high;
    return fmt::format("大等于|{}#小等于|{}", *low, *high);
}

}  // namespace

std::string FormatFilterCondition(std::string& text, bool isInteger) {
    text = withoutBlanks(text);
    if (text.empty())
        return {};
    const bool comparison = text.starts_with('=') || text.starts_with('>') || text.starts_with('<');
    auto condition = comparison ? compare(text, isInteger) : valueOrRange(text, isInteger);
    if (!condition) {
        text.clear();
        return {};
    }
    return std::move(*condition);
}

}  // namespace quorstat
