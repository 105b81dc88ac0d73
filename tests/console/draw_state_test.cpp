#include "console/draw_state.h"

#include <gtest/gtest.h>

#include "local_time.h"

namespace quorstat {
namespace {

using test::LocalTime;
using Recompute = DrawState::Recompute;

constexpr int kLottery = 1010;

DrawState morningAt(int hour, int minute, int second) {
    DrawState state;
    state.storeTable(
        kLottery, {{91000, 92000, 93000}, "2013-05-01 09:00:00", LocalTime(2013, 5, 1, 9, 0, 0)});
    state.useStoredTable(kLottery);
    state.serverTime = LocalTime(2013, 5, 1, hour, minute, second);
    return state;
}

TEST(DrawState, RecomputeWaitsForServerTimeAndTable) {
    DrawState state;
    EXPECT_EQ(state.recompute(), Recompute::Waiting);
    state.serverTime = LocalTime(2013, 5, 1, 9, 15, 0);
    EXPECT_EQ(state.recompute(), Recompute::Waiting);
    EXPECT_EQ(state.closedIssue, 0);
}

TEST(DrawState, RecomputeReportsOnlyANewClosedIssue) {
    DrawState state = morningAt(9, 15, 0);
    EXPECT_EQ(state.recompute(), Recompute::NewIssue);
    EXPECT_EQ(state.closedIssue, 130501001);
    EXPECT_EQ(state.currentIssue, 130501002);
    EXPECT_EQ(state.remainingSeconds, 290);

    state.serverTime += 30;
    EXPECT_EQ(state.recompute(), Recompute::SameIssue);
    EXPECT_EQ(state.remainingSeconds, 260);
}

TEST(DrawState, TheDrawMomentClosesTheIssueAndAsksForNumbers) {
    DrawState state = morningAt(9, 19, 49);
    state.recompute();
    ASSERT_EQ(state.remainingSeconds, 1);
    EXPECT_EQ(state.issueToPoll(), 130501001);  // betting open, numbers of 001 still missing

    for (int second = 0; second < 10; ++second) {
        state.serverTime += 1;
        const auto tick = state.countdownTick();
        EXPECT_FALSE(tick.closing);
        EXPECT_FALSE(tick.drawMoment);
        EXPECT_EQ(state.issueToPoll(), 130501002);  // betting closed: ask for the one being drawn
    }
    state.serverTime += 1;
    const auto tick = state.countdownTick();
    EXPECT_TRUE(tick.closing);
    EXPECT_TRUE(tick.drawMoment);
    EXPECT_EQ(state.recompute(), Recompute::NewIssue);
    EXPECT_EQ(state.closedIssue, 130501002);
    EXPECT_EQ(state.currentIssue, 130501003);
    EXPECT_EQ(state.remainingSeconds, 590);
    EXPECT_EQ(state.issueToPoll(), 130501002);

    state.remainingSeconds = -10;  // a late tick keeps recomputing without a second draw moment
    const auto late = state.countdownTick();
    EXPECT_TRUE(late.closing);
    EXPECT_FALSE(late.drawMoment);
}

TEST(DrawState, PollingStopsOnceTheClosedIssueIsDrawnAndWaitsForIssues) {
    DrawState state;
    EXPECT_EQ(state.issueToPoll(), std::nullopt);
    state = morningAt(9, 15, 0);
    state.recompute();
    EXPECT_TRUE(state.applyLatestDraw({130501001, "30519"}));
    EXPECT_EQ(state.issueToPoll(), std::nullopt);
}

TEST(DrawState, PreDrawWarningComesOncePerIssue) {
    DrawState state = morningAt(9, 19, 18);
    state.recompute();
    ASSERT_EQ(state.remainingSeconds, 32);
    state.countdownTick();
    EXPECT_FALSE(state.preDrawWarningDue(30));
    state.countdownTick();
    EXPECT_FALSE(state.preDrawWarningDue(std::nullopt));
    EXPECT_TRUE(state.preDrawWarningDue(30));
    state.remainingSeconds = 31;  // a server-time reply set the clock back a second
    state.countdownTick();
    EXPECT_FALSE(state.preDrawWarningDue(30));

    state.serverTime = LocalTime(2013, 5, 1, 9, 29, 19);
    state.recompute();
    ASSERT_EQ(state.currentIssue, 130501003);
    state.countdownTick();
    EXPECT_TRUE(state.preDrawWarningDue(30));
}

TEST(DrawState, OnlyANewerIssueIsANewDraw) {
    DrawState state;
    struct Case {
        Draw draw;
        bool taken;
    };
    const Case cases[] = {
        {{130501001, "30519"}, true},
        {{130501001, "30519"}, false},  // the same reply again
        {{130501001, "11111"}, false},  // same issue, other digits
        {{130430120, "22222"}, false},  // an older issue
        {{130501002, ""}, false},
        {{130501002, "30519"}, true},  // equal digits in the next issue are still news
        {{0, "12345"}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.draw.issue);
        EXPECT_EQ(state.applyLatestDraw(c.draw), c.taken);
    }
    EXPECT_EQ(state.lastDrawIssue, 130501002);
    EXPECT_EQ(state.lastDrawNumbers, "30519");
}

TEST(DrawState, HistoryLeavesOutTheDrawShownOnItsOwn) {
    const std::vector<Draw> draws{{130501005, "11111"},
                                  {130501004, "22222"},
                                  {130501003, "33333"},
                                  {130501002, "44444"},
                                  {130501001, "55555"}};
    DrawState state;
    state.closedIssue = 130501005;
    state.applyHistory(draws);
    EXPECT_EQ(state.historyIssues, (std::vector<int>{130501004, 130501003, 130501002, 130501001}));
    EXPECT_EQ(state.historyNumbers.front(), "22222");

    state.closedIssue = 130501006;  // not drawn yet: keep the newest, drop the oldest
    state.applyHistory(draws);
    EXPECT_EQ(state.historyIssues, (std::vector<int>{130501005, 130501004, 130501003, 130501002}));
    EXPECT_EQ(state.historyNumbers.back(), "44444");

    state.applyHistory({});
    EXPECT_TRUE(state.historyIssues.empty());
}

TEST(DrawState, SwitchingLotteriesReusesTablesFetchedBefore) {
    DrawState state = morningAt(9, 15, 0);
    state.recompute();
    state.applyLatestDraw({130501001, "30519"});
    state.firstDrawSeen = true;
    EXPECT_TRUE(state.tableIsFresh());

    state.clearLottery();
    EXPECT_FALSE(state.firstDrawSeen);
    EXPECT_EQ(state.closedIssue, 0);
    EXPECT_EQ(state.lastDrawIssue, 0);
    EXPECT_TRUE(state.lastDrawNumbers.empty());
    EXPECT_TRUE(state.drawTimes.empty());
    EXPECT_FALSE(state.tableIsFresh());
    EXPECT_FALSE(state.useStoredTable(1011));
    EXPECT_TRUE(state.useStoredTable(kLottery));
    EXPECT_EQ(state.drawTimes.size(), 3u);
    EXPECT_EQ(state.recompute(), Recompute::NewIssue);
}

TEST(DrawState, ATableOlderThanADayIsFetchedAgain) {
    DrawState state = morningAt(9, 15, 0);
    state.serverTime = state.tableTime + 86400;
    EXPECT_TRUE(state.tableIsFresh());
    state.serverTime += 1;
    EXPECT_FALSE(state.tableIsFresh());
}

}  // namespace
}  // namespace quorstat
