#include "net/reply_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace quorstat {
namespace {

bool isBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

std::string_view skipBlanks(std::string_view text) {
    const auto first = std::find_if_not(text.begin(), text.end(), isBlank);
    return text.substr(static_cast<std::size_t>(first - text.begin()));
}

template <typename Read>
auto withoutGroupSeparators(std::string_view text, Read read) {
    if (text.find(',') == std::string_view::npos)
        return read(text);
    std::string plain(text);
    std::erase(plain, ',');
    return read(plain);
}

}  // namespace

std::optional<char> StatusCode(std::string_view reply) {
    if (reply.empty())
        return std::nullopt;
    return reply.front();
}

std::string_view ReplyBody(std::string_view reply) {
    return reply.size() > 2 ? reply.substr(2) : std::string_view();
}

std::string_view Message(std::string_view reply) {
    std::string_view body = ReplyBody(reply);
    return CutField(body, '|').value_or(std::string_view());
}

std::optional<std::string_view> ListReplyBody(std::string_view reply, ListOutcome& outcome) {
    const auto status = StatusCode(reply);
    if (status == '2')
        outcome = ListOutcome::Unchanged;
    if (status != '1')
        return std::nullopt;
    return ReplyBody(reply);
}

std::optional<std::string_view> CutField(std::string_view& rest, char separator) {
    const std::size_t end = rest.find(separator);
    if (end == std::string_view::npos)
        return std::nullopt;
    const std::string_view field = rest.substr(0, end);
    rest.remove_prefix(end + 1);
    return field;
}

std::optional<ListHeader> CutListHeader(std::string_view& rest) {
    const auto total = CutField(rest, '|');
    const auto count = total ? CutField(rest, '|') : std::nullopt;
    if (!count)
        return std::nullopt;
    const auto stamp = CutField(rest, '|');
    ListHeader header{ReadInt(*total), ReadInt(*count), stamp.value_or(rest)};
    if (!stamp)
        rest = {};
    return header;
}

std::vector<std::string_view> SplitList(std::string_view text, char separator, SplitMode mode) {
    std::vector<std::string_view> items;
    ForEachItem(text, separator, mode, [&](std::string_view item) {
        items.push_back(item);
        return true;
    });
    return items;
}

std::optional<std::string_view> TagValue(std::string_view field, std::string_view tag) {
    if (!field.starts_with(tag))
        return std::nullopt;
    return field.substr(tag.size());
}

std::string_view FieldTag(std::string_view field) {
    const std::size_t equals = field.find('=');
    return equals == std::string_view::npos ? std::string_view() : field.substr(0, equals + 1);
}

std::int32_t ReadInt(std::string_view text) {
    text = skipBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    constexpr std::int64_t limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            break;
        value = std::min(value * 10 + (c - '0'), limit);
    }
    if (negative)
        return static_cast<std::int32_t>(-value);
    return static_cast<std::int32_t>(std::min(value, limit - 1));
}

double ReadReal(std::string_view text) {
    text = skipBlanks(text);
    if (text.starts_with('+')) {
        text.remove_prefix(1);
        if (text.starts_with('-'))
            return 0;
    }
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || !std::isfinite(value))
        return 0;
    return value;
}

std::int32_t ReadGroupedInt(std::string_view text) {
    return withoutGroupSeparators(text, [](std::string_view plain) { return ReadInt(plain); });
}

double ReadMoney(std::string_view text) {
    return withoutGroupSeparators(text, [](std::string_view plain) { return ReadReal(plain); });
}

bool ReadFlag(std::string_view text) {
    return text == "True";
}

}  // namespace quorstat
