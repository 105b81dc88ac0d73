#include "net/draw_replies.h"

#include <algorithm>

#include "net/reply_text.h"

namespace quorstat {
namespace {

constexpr std::size_t kMaxDrawsPerDay = 999;  // the sequence part of an issue has three digits

std::optional<std::int32_t> readDrawTime(std::string_view text) {
    std::string digits(text);
    std::erase(digits, ':');
    if (digits.empty() || digits.front() < '0' || digits.front() > '9')
        return std::nullopt;
    const std::int32_t time = ReadInt(digits);
    if (time == 0)
        return 240000;
    if (time < 0 || time > 240000 || time / 100 % 100 > 59 || time % 100 > 59)
        return std::nullopt;
    return time;
}

std::optional<DrawResult> splitDraw(std::string_view item) {
    const std::size_t amp = item.find('&');
    if (amp == std::string_view::npos)
        return std::nullopt;
    return DrawResult{ReadInt(item.substr(0, amp)), std::string(item.substr(amp + 1))};
}

}  // namespace

std::optional<ServerTimeReply> ParseServerTimeReply(std::string_view reply) {
    if (StatusCode(reply) != '1')
        return std::nullopt;
    std::vector<std::string_view> fields;
    ForEachItem(ReplyBody(reply), '|', SplitMode::Strict, [&](std::string_view field) {
        fields.push_back(field);
        return fields.size() < 3;
    });
    if (fields.size() < 3)
        return std::nullopt;
    return ServerTimeReply{ReadInt(fields[0]), ReadInt(fields[1]), ParseDateTime(fields[2])};
}

std::optional<DrawTimeTable> ParseDrawTimes(std::string_view reply) {
    if (StatusCode(reply) != '1')
        return std::nullopt;
    std::string_view rest = ReplyBody(reply);
    const auto cut = CutField(rest, '|');
    const std::string_view times = cut.value_or(rest);
    if (!cut)
        rest = {};

    DrawTimeTable table;
    bool valid = true;
    ForEachItem(times, '#', SplitMode::Lenient, [&](std::string_view item) {
        const auto time = readDrawTime(item);
        valid = time && table.times.size() < kMaxDrawsPerDay;
        if (valid)
            table.times.push_back(*time);
        return valid;
    });
    if (!valid || table.times.empty())
        return std::nullopt;
    table.rest = rest;
    table.tableTime = ParseDateTime(rest);
    return table;
}

std::optional<DrawResult> ParseLatestDraw(std::string_view reply) {
    if (StatusCode(reply) != '1')
        return std::nullopt;
    std::string_view rest = ReplyBody(reply);
    const std::string_view item = CutField(rest, '|').value_or(rest);
    const std::size_t amp = item.find('&');
    if (amp == 0 || amp == std::string_view::npos || amp + 1 == item.size())
        return std::nullopt;
    return splitDraw(item);
}

std::optional<std::vector<DrawResult>> ParseDrawHistory(std::string_view reply) {
    if (StatusCode(reply) != '1')
        return std::nullopt;
    std::string_view rest = ReplyBody(reply);
    const auto list = CutField(rest, '|');
    if (!list)
        return std::nullopt;
    std::vector<DrawResult> draws;
    bool valid = true;
    ForEachItem(*list, '#', SplitMode::KeepEmpty, [&](std::string_view item) {
        auto draw = splitDraw(item);
        valid = draw.has_value();
        if (valid)
            draws.push_back(std::move(*draw));
        return valid;
    });
    if (!valid)
        return std::nullopt;
    return draws;
}

}  // namespace quorstat
