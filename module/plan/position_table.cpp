#include "plan/position_table.h"

#include <algorithm>
#include <array>

#include "plan/lottery_table.h"

namespace quorstat {

namespace {

constexpr std::array<tagPOSITIONINFO, 26> positions{{
    {"12", "前二"},       {"45", "后二"},    {"13", "万百"},       {"14", "万十"},
    {"15", "万个"},       {"23", "千百"},    {"24", "千十"},       {"25", "千个"},
    {"34", "百十"},       {"35", "百个"},    {"123", "前三"},      {"234", "中三"},
    {"345", "后三"},      {"124", "万千十"}, {"125", "万千个"},    {"134", "万百十"},
    {"135", "万百个"},    {"145", "万十个"}, {"235", "千百个"},    {"245", "千十个"},
    {"1234", "前四"},     {"2345", "后四"},  {"1235", "万千百个"}, {"1245", "万千十个"},
    {"1345", "万百十个"}, {"12345", "前五"},
}};

constexpr std::string_view kAsciiComma = ",";
constexpr std::string_view kWideComma = "，";

// Names come back joined by the full-width comma, so either comma separates entries.
std::string_view nextToken(std::string_view& rest) {
    const std::size_t ascii = rest.find(kAsciiComma);
    const std::size_t wide = rest.find(kWideComma);
    const std::size_t end = std::min(ascii, wide);
    const std::string_view token = rest.substr(0, end);
    if (end == std::string_view::npos) {
        rest = {};
    } else {
        rest.remove_prefix(end + (end == ascii ? kAsciiComma.size() : kWideComma.size()));
    }
    return token;
}

}  // namespace

std::span<const tagPOSITIONINFO> positionTable() {
    return positions;
}

std::span<const tagPOSITIONINFO> positionChoices(int starCount) {
    const std::span<const tagPOSITIONINFO> all = positions;
    switch (starCount) {
        case 2:
            return all.subspan(0, 10);
        case 3:
            return all.subspan(10, 10);
        case 4:
            return all.subspan(20, 5);
        case 5:
            return all.subspan(25, 1);
        default:
            return {};
    }
}

std::string ConvertPositions(std::string_view list, int lotteryId, PositionDirection direction) {
    if (lotteryFamilyDigit(lotteryId) != 1) {
        return {};
    }
    const bool toNames = direction == PositionDirection::toNames;
    const std::string_view separator = toNames ? kWideComma : kAsciiComma;
    std::string converted;
    while (!list.empty()) {
        const std::string_view token = nextToken(list);
        const auto* it = std::ranges::find_if(positions, [&](const tagPOSITIONINFO& entry) {
            return (toNames ? entry.code : entry.name) == token;
        });
        if (it != positions.end()) {
            converted.append(toNames ? it->name : it->code).append(separator);
        }
    }
    if (!converted.empty()) {
        converted.resize(converted.size() - separator.size());
    }
    return converted;
}

}  // namespace quorstat
