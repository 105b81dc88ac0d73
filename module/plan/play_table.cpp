#include "plan/play_table.h"

#include <algorithm>
#include <array>

namespace quorstat {

namespace {

using enum PlayFamily;

constexpr std::array<PlayInfo, 11> plays{{
    {1301, "两星单选", "两星", "单选", 2, 1, number, false},
    {1302, "三星单选", "三星", "单选", 3, 1, number, false},
    {1303, "四星单选", "四星", "单选", 4, 1, number, false},
    {1304, "五星单选", "五星", "单选", 5, 1, number, true},
    {1305, "两星组选", "两星", "组选", 2, 0, number, false},
    {1306, "三星组选", "三星", "组选", 3, 0, number, true},
    {1307, "两星不定位胆", "两星", "不定位胆", 2, std::nullopt, positionFree, false},
    {1308, "三星不定位胆", "三星", "不定位胆", 3, std::nullopt, positionFree, false},
    {1309, "四星不定位胆", "四星", "不定位胆", 4, std::nullopt, positionFree, false},
    {1310, "五星不定位胆", "五星", "不定位胆", 5, std::nullopt, positionFree, true},
    {1311, "定位胆", "", "定位胆", 5, std::nullopt, positional, false},
}};

}  // namespace

std::span<const PlayInfo> playTable() {
    return plays;
}

const PlayInfo* findPlay(int playId) {
    const auto* it = std::ranges::find(plays, playId, &PlayInfo::id);
    return it == plays.end() ? nullptr : it;
}

std::string_view PlayStarName(int playId) {
    const PlayInfo* play = findPlay(playId);
    return play ? play->starName : std::string_view{};
}

std::string_view PlayKindName(int playId) {
    const PlayInfo* play = findPlay(playId);
    return play ? play->kindName : std::string_view{};
}

PlayFamily playFamily(int playId) {
    const PlayInfo* play = findPlay(playId);
    return play ? play->family : PlayFamily::none;
}

}  // namespace quorstat
