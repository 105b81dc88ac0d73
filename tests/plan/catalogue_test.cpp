#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "plan/lottery_table.h"
#include "plan/play_state.h"
#include "plan/play_table.h"
#include "plan/position_table.h"

namespace quorstat {
namespace {

TEST(LotteryTable, NamesAndIdsMapBothWays) {
    const struct {
        int id;
        std::string_view name;
    } cases[] = {{1010, "重庆时时彩"},   {1011, "新疆时时彩"}, {1012, "江西时时彩"},
                 {1013, "黑龙江时时彩"}, {1014, "天津时时彩"}, {1015, "云南时时彩"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        EXPECT_EQ(LotteryName(c.id), c.name);
        EXPECT_EQ(LotteryIdFromName(c.name), c.id);
        EXPECT_EQ(lotteryFamilyDigit(c.id), 1);
    }
    EXPECT_EQ(lotteryTable().size(), std::size(cases));
}

TEST(LotteryTable, UnknownIdsAndNamesGiveNothing) {
    for (const int id : {0, 1009, 1016, -1010}) {
        EXPECT_EQ(LotteryName(id), "") << id;
    }
    for (const std::string_view name : {"", "重庆", "重庆时时彩 "}) {
        EXPECT_EQ(LotteryIdFromName(name), 0) << name;
    }
}

TEST(PlayTable, NamesStarsAndFamilies) {
    using enum PlayFamily;
    const struct {
        int id;
        std::string_view star;
        std::string_view kind;
        int stars;
        PlayFamily family;
    } cases[] = {
        {1301, "两星", "单选", 2, number},           {1302, "三星", "单选", 3, number},
        {1303, "四星", "单选", 4, number},           {1304, "五星", "单选", 5, number},
        {1305, "两星", "组选", 2, number},           {1306, "三星", "组选", 3, number},
        {1307, "两星", "不定位胆", 2, positionFree}, {1308, "三星", "不定位胆", 3, positionFree},
        {1309, "四星", "不定位胆", 4, positionFree}, {1310, "五星", "不定位胆", 5, positionFree},
        {1311, "", "定位胆", 5, positional},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        EXPECT_EQ(PlayStarName(c.id), c.star);
        EXPECT_EQ(PlayKindName(c.id), c.kind);
        EXPECT_EQ(playFamily(c.id), c.family);
        ASSERT_NE(findPlay(c.id), nullptr);
        EXPECT_EQ(findPlay(c.id)->starCount, c.stars);
    }
    for (const int id : {1300, 1312, 0}) {
        EXPECT_EQ(PlayStarName(id), "");
        EXPECT_EQ(PlayKindName(id), "");
        EXPECT_EQ(playFamily(id), none);
    }
}

TEST(PlayTable, MenuIsInIdOrderWithThreeSeparators) {
    std::vector<int> separatorsAfter;
    int previous = 1300;
    for (const PlayInfo& play : playTable()) {
        EXPECT_EQ(play.id, previous + 1);
        previous = play.id;
        if (play.separatorAfter) {
            separatorsAfter.push_back(play.id);
        }
    }
    EXPECT_EQ(separatorsAfter, (std::vector<int>{1304, 1306, 1310}));
    EXPECT_EQ(findPlay(1308)->menuText, "三星不定位胆");
}

TEST(PlayState, FiveDigitLotterySetsTheDigitRules) {
    PlayState state;
    state.selectLottery(1013);
    EXPECT_EQ(state.lotteryId, 1013);
    EXPECT_EQ(state.minDigit, 0);
    EXPECT_EQ(state.maxDigit, 9);
    EXPECT_EQ(state.positionCount, 5);
    EXPECT_EQ(state.digitFamily, 1);

    state.selectLottery(1020);
    EXPECT_EQ(state.digitFamily, 0);
    EXPECT_EQ(state.positionCount, 0);
}

TEST(PlayState, DanPlaysKeepTheOrderedFlagOfThePlayBefore) {
    const struct {
        int playId;
        int stars;
        int ordered;
    } steps[] = {{1305, 2, 0}, {1307, 2, 0}, {1302, 3, 1}, {1311, 5, 1},
                 {1306, 3, 0}, {1310, 5, 0}, {1304, 5, 1}, {1400, 0, 1}};
    PlayState state;
    for (const auto& step : steps) {
        SCOPED_TRACE(step.playId);
        state.selectPlay(step.playId);
        EXPECT_EQ(state.playId, step.playId);
        EXPECT_EQ(state.starCount, step.stars);
        EXPECT_EQ(state.orderedPlay, step.ordered);
    }
}

TEST(PositionTable, HoldsEverySetOfTwoToFivePositionsOnce) {
    const auto table = positionTable();
    ASSERT_EQ(table.size(), 26u);
    std::set<std::string_view> codes;
    std::set<std::string_view> names;
    for (const tagPOSITIONINFO& entry : table) {
        EXPECT_TRUE(std::is_sorted(entry.code.begin(), entry.code.end())) << entry.code;
        EXPECT_EQ(entry.code.find_first_not_of("12345"), std::string_view::npos);
        codes.insert(entry.code);
        names.insert(entry.name);
    }
    EXPECT_EQ(codes.size(), 26u);
    EXPECT_EQ(names.size(), 26u);
    EXPECT_EQ(table[1].name, "后二");
    EXPECT_EQ(table[11].name, "中三");
    EXPECT_EQ(table[25].code, "12345");
}

TEST(PositionTable, ChoicesFollowTheStarCount) {
    const struct {
        int stars;
        std::size_t count;
        std::string_view first;
    } cases[] = {{2, 10, "前二"}, {3, 10, "前三"}, {4, 5, "前四"}, {5, 1, "前五"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stars);
        const auto choices = positionChoices(c.stars);
        ASSERT_EQ(choices.size(), c.count);
        EXPECT_EQ(choices.front().name, c.first);
        for (const tagPOSITIONINFO& entry : choices) {
            EXPECT_EQ(entry.code.size(), static_cast<std::size_t>(c.stars));
        }
    }
    EXPECT_TRUE(positionChoices(1).empty());
    EXPECT_TRUE(positionChoices(6).empty());
}

TEST(ConvertPositions, ConvertsKnownEntriesAndDropsTheRest) {
    using enum PositionDirection;
    const struct {
        std::string_view list;
        int lotteryId;
        PositionDirection direction;
        std::string_view expected;
    } cases[] = {
        {"12,345", 1010, toNames, "前二，后三"},
        {"前二,后三", 1010, toCodes, "12,345"},
        {"前二，后三", 1010, toCodes, "12,345"},
        {"12,345,,,", 1015, toNames, "前二，后三"},
        {"12,99,,45", 1011, toNames, "前二，后二"},
        {"12345", 1012, toNames, "前五"},
        {"前五", 1012, toCodes, "12345"},
        {"12,345", 1010, toCodes, ""},
        {"前二", 1010, toNames, ""},
        {"", 1010, toNames, ""},
        {"12,345", 1020, toNames, ""},
        {"前二,后三", 1100, toCodes, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.list));
        EXPECT_EQ(ConvertPositions(c.list, c.lotteryId, c.direction), c.expected);
    }
}

TEST(ConvertPositions, EveryEntryRoundTrips) {
    for (const tagPOSITIONINFO& entry : positionTable()) {
        const std::string name = ConvertPositions(entry.code, 1010, PositionDirection::toNames);
        EXPECT_EQ(name, entry.name);
        EXPECT_EQ(ConvertPositions(name, 1010, PositionDirection::toCodes), entry.code);
    }
}

}  // namespace
}  // namespace quorstat
