#pragma once

#include <span>
#include <string>
#include <string_view>

namespace quorstat {

// A set of draw positions: code of ascending position digits 1..5 (万千百十个) and its name.
struct tagPOSITIONINFO {
    std::string_view code;
    std::string_view name;
};

// The 26 position sets: ten of two positions, ten of three, five of four, then "前五".
std::span<const tagPOSITIONINFO> positionTable();

// The position sets offered for a play of starCount stars, in table order.
std::span<const tagPOSITIONINFO> positionChoices(int starCount);

enum class PositionDirection { toNames, toCodes };

// Converts a comma-separated list of codes or names; names are joined by a full-width comma.
// Unknown entries are dropped, and only five-digit lotteries have positions at all.
std::string ConvertPositions(std::string_view list, int lotteryId, PositionDirection direction);

}  // namespace quorstat
