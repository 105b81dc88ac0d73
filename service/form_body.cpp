#include "service/form_body.h"

#include <fmt/format.h>

#include <algorithm>
#include <charconv>

#include "service/ascii_case.h"
#include "service/page_error.h"

namespace quorstat::service {

FormBody::FormBody(std::string_view body) {
    while (!body.empty()) {
        const std::size_t end = std::min(body.find('&'), body.size());
        const std::string_view piece = body.substr(0, end);
        body.remove_prefix(std::min(end + 1, body.size()));
        if (piece.empty())
            continue;
        const std::size_t equals = piece.find('=');
        if (equals == std::string_view::npos)
            fields_.emplace_back(piece, std::string());
        else
            fields_.emplace_back(piece.substr(0, equals), piece.substr(equals + 1));
    }
}

std::optional<std::string_view> FormBody::value(std::string_view name) const {
    for (const auto& [fieldName, fieldValue] : fields_)
        if (equalIgnoringCase(fieldName, name))
            return std::string_view(fieldValue);
    return std::nullopt;
}

std::string_view FormBody::required(std::string_view name) const {
    const auto found = value(name);
    if (!found)
        throw PageError(fmt::format("请求缺少字段“{}”", name));
    return *found;
}

std::int64_t FormBody::requiredInteger(std::string_view name, std::int64_t min,
                                       std::int64_t max) const {
    const std::string_view text = required(name);
    std::int64_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || number < min ||
        number > max)
        throw PageError(fmt::format("字段“{}”的值不正确", name));
    return number;
}

std::optional<std::int64_t> FormBody::optionalInteger(std::string_view name, std::int64_t min,
                                                      std::int64_t max) const {
    if (!value(name))
        return std::nullopt;
    return requiredInteger(name, min, max);
}

}  // namespace quorstat::service
