#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace quorstat {

// Number plays take typed numbers, the 胆 plays take digits from a picker.
enum class PlayFamily { none, number, positionFree, positional };

struct PlayInfo {
    int id;
    std::string_view menuText;
    std::string_view starName;
    std::string_view kindName;
    int starCount;
    // Empty where selecting the play keeps the ordered flag of the play before.
    std::optional<int> orderedPlay;
    PlayFamily family;
    bool separatorAfter;
};

// Plays 1301..1311 in menu order.
std::span<const PlayInfo> playTable();
const PlayInfo* findPlay(int playId);

std::string_view PlayStarName(int playId);
std::string_view PlayKindName(int playId);
PlayFamily playFamily(int playId);

}  // namespace quorstat
