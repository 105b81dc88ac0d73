// The own-plan list without windows: reading the service's list replies, the rows the grid shows,
// what the actions may do, and paging.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "net/date_time.h"
#include "plan/own_plan_grid.h"
#include "plan/own_plan_list.h"

namespace quorstat {
namespace {

constexpr int kChongqing = 1010;
constexpr int kChongqingIssuesPerDay = 120;

std::string plan(const std::string& fields) {
    return "PID=7|LTP=三星|LTT=单选|POS=123|BN=10|INS=3|I1=130501024|I2=130501026|" + fields;
}

const std::string kSummary =
    "TN=1,234|TNN=2|TSN=3|RBS=45.5|TM=1,234.50|TB=2,000|CH=0|CUH=4|CHN=2|CHNS=0|LMT=2013-05-01 "
    "10:05:00";

struct ReplyCase {
    const char* name;
    std::string reply;
    int requestedPage;
    int pageSize;
    int closedIssue;
    OwnPlanList::Outcome outcome;
    std::size_t plans;
    const char* pager;
    PlanSound sound;
};

TEST(OwnPlanList, ReadsReplies) {
    using O = OwnPlanList::Outcome;
    const std::vector<ReplyCase> cases = {
        {"page 2 of 3 at ten a page", "1|25|1|X|" + kSummary + "#" + plan("PS=0|NIN=1") + "$", 2,
         10, 130501023, O::Filled, 1, "2/3", PlanSound::None},
        {"page size 0 is one page whatever the total", "1|999|1|X|TN=999#" + plan("NIN=1") + "$", 4,
         0, 0, O::Filled, 1, "1/1", PlanSound::None},
        {"an empty list", "1|0|0|X|#", 1, 10, 0, O::Filled, 0, "1/1", PlanSound::None},
        {"unchanged", "2|", 1, 10, 0, O::Unchanged, 0, "1/1", PlanSound::None},
        {"more plans than a page holds answer an older request",
         "1|2|2|X|#" + plan("NIN=1") + "$" + plan("NIN=2") + "$", 1, 1, 0, O::Unchanged, 0, "1/1",
         PlanSound::None},
        {"refused", "0|会话已过期", 1, 10, 0, O::Malformed, 0, "1/1", PlanSound::None},
        {"empty", "", 1, 10, 0, O::Malformed, 0, "1/1", PlanSound::None},
        {"no summary end", "1|5|1|X|TN=5" + plan("NIN=1"), 1, 10, 0, O::Malformed, 0, "1/1",
         PlanSound::None},
        {"head cut short", "1|5", 1, 10, 0, O::Malformed, 0, "1/1", PlanSound::None},
        {"a record without bets", "1|2|2|X|#" + plan("NIN=1") + "$PID=8|INS=3|I1=1|I2=3$", 1, 10, 0,
         O::Incomplete, 0, "1/1", PlanSound::None},
        {"a record without first issue", "1|1|1|X|#PID=8|BN=1|INS=3|I2=130501026$", 1, 10, 0,
         O::Incomplete, 0, "1/1", PlanSound::None},
        {"fewer records than announced", "1|3|3|X|#" + plan("NIN=1") + "$", 1, 10, 0, O::Incomplete,
         0, "1/1", PlanSound::None},
        {"a hit on the draw just passed sounds it", "1|1|1|X|#" + plan("PS=1|NIN=2") + "$", 1, 10,
         130501025, O::Filled, 1, "1/1", PlanSound::Hit},
        {"a hit on an earlier draw is quiet", "1|1|1|X|#" + plan("PS=1|NIN=1") + "$", 1, 10,
         130501025, O::Filled, 1, "1/1", PlanSound::None},
        {"a run reaching over midnight",
         "1|1|1|X|#PID=9|BN=1|INS=3|I1=130501120|I2=130502002|PS=2|NIN=2$", 1, 10, 130502001,
         O::Filled, 1, "1/1", PlanSound::Miss},
        {"the later of two settled plans decides",
         "1|2|2|X|#" + plan("PS=2|NIN=2") + "$" + plan("PS=1|NIN=2") + "$", 1, 10, 130501025,
         O::Filled, 2, "1/1", PlanSound::Hit},
        {"a plan running on after its first draw", "1|1|1|X|#" + plan("PS=0|NIN=2") + "$", 1, 10,
         130501024, O::Filled, 1, "1/1", PlanSound::Running},
        {"a running plan after a settled one wins",
         "1|2|2|X|#" + plan("PS=1|NIN=2") + "$" + plan("PS=0|NIN=3") + "$", 1, 10, 130501025,
         O::Filled, 2, "1/1", PlanSound::Running},
    };
    for (const ReplyCase& c : cases) {
        OwnPlanList list;
        const auto result = list.apply(c.reply, c.requestedPage, c.pageSize,
                                       {kChongqing, kChongqingIssuesPerDay, c.closedIssue});
        EXPECT_EQ(result.outcome, c.outcome) << c.name;
        EXPECT_EQ(list.plans().size(), c.plans) << c.name;
        EXPECT_EQ(list.pagerLabel(), c.pager) << c.name;
        EXPECT_EQ(result.sound, c.sound) << c.name;
    }
}

TEST(OwnPlanList, KeepsTheSummaryAndItsStampAndEmptiesOnlyOnANewList) {
    OwnPlanList list;
    const PlanListDraw draw{kChongqing, kChongqingIssuesPerDay, 0};
    EXPECT_EQ(list.statisticsLabel(), "最大连中：-，最大连挂：-，更新：");
    list.apply("1|1|1|X|" + kSummary + "#" + plan("NIN=1") + "$", 1, 10, draw);
    EXPECT_EQ(list.summary().planCount, 1);  // TN is not a money tag: read up to the ","
    EXPECT_DOUBLE_EQ(list.summary().totalStake, 1234.5);
    EXPECT_EQ(list.changeStamp(), "2013-05-01 10:05:00");
    EXPECT_EQ(list.statisticsLabel(), "最大连中：-，最大连挂：4，更新：2013-05-01 10:05:00");

    // Nothing new, or a reply that failed, keeps what is shown until the reload answers.
    list.apply("2|", 1, 10, draw);
    list.apply("0|忙", 1, 10, draw);
    EXPECT_EQ(list.plans().size(), 1u);
    EXPECT_EQ(list.summary().longestMissRun, 4);
    // A list with a broken record shows nothing rather than half a list.
    list.apply("1|1|1|X|CUH=9#PID=3$", 1, 10, draw);
    EXPECT_TRUE(list.plans().empty());
    EXPECT_EQ(list.summary().longestMissRun, 0);
    EXPECT_EQ(list.changeStamp(), "2013-05-01 10:05:00");
}

TEST(OwnPlanList, ReloadsWhileAWaitingPlanWaitsForADrawnIssue) {
    struct Case {
        const char* plans;
        int lastDrawIssue;
        bool due;
    };
    const Case cases[] = {
        {"PS=0|NI=130501025|NIN=2", 130501025, true},
        {"PS=0|NI=130501025|NIN=2", 130501024, false},
        {"PS=0|NI=130501024|NIN=1", 0, false},  // no draw known yet
        {"PS=1|NI=130501024|NIN=1", 130501030, false},
        {"PS=3|NI=130501024|NIN=1", 130501030, false},
    };
    for (const Case& c : cases) {
        OwnPlanList list;
        list.apply("1|1|1|X|#" + plan(c.plans) + "$", 1, 10, {});
        EXPECT_EQ(list.settlementDue(c.lastDrawIssue), c.due) << c.plans << " " << c.lastDrawIssue;
    }
}

tagPLANITEM item(int status, int ordinal, int firstIssue = 130501024) {
    tagPLANITEM plan;
    plan.planId = 100 + status * 10 + ordinal;
    plan.starName = "三星";
    plan.kindName = "单选";
    plan.positions = "123,345";
    plan.firstIssue = firstIssue;
    plan.lastIssue = firstIssue + 2;
    plan.issueCount = 3;
    plan.multiples = "1,2,4";
    plan.betCount = 10;
    plan.status = status;
    plan.issueOrdinal = ordinal;
    plan.betAmount = 20;
    plan.prizeAmount = status == 1 ? 1960.5 : 0;
    plan.profit = plan.prizeAmount - plan.betAmount;
    if (status == 1 || status == 2)
        plan.drawCode = "12345";
    return plan;
}

TEST(OwnPlanGrid, ShowsEveryPlanStateWithItsColourAndLink) {
    const std::vector<tagPLANITEM> plans = {item(0, 1), item(0, 2), item(1, 2),
                                            item(2, 3), item(3, 2), item(0, 1, 130501030)};
    const GridContent grid = OwnPlanGrid(plans, {kChongqing, 130501024, false, 3, 10});
    ASSERT_EQ(grid.columns.size(), 15u);
    EXPECT_EQ(grid.columns[0].name, "序号");
    EXPECT_EQ(grid.columns[14].name, "操作");
    EXPECT_TRUE(grid.columns[kPlanDetail].link);
    ASSERT_EQ(grid.rows.size(), 6u);
    EXPECT_EQ(grid.rows[0].cells,
              (std::vector<std::string>{"26", "024 - 026", "三星", "单选", "前三，后三", "3",
                                        "1,2,4", "10", "*****", "等(1)", "20.00", "0.00", "-20.00",
                                        "查看", "删除"}));
    struct Row {
        const char* number;
        const char* state;
        Rgb colour;
        const char* action;
        std::optional<Rgb> profitColour;
    };
    const Row expected[] = {
        {"26", "等(1)", 0x0000FF, "删除", 0xFF0000}, {"25", "等(2)", 0x0000FF, "停止", 0xFF0000},
        {"24", "中(2)", 0xFF0000, "", std::nullopt}, {"23", "挂(3)", 0x969696, "", 0xFF0000},
        {"22", "停(2)", 0x646464, "", 0xFF0000},     {"21", "等(1)", 0x0000FF, "", 0xFF0000},
    };
    for (std::size_t row = 0; row < grid.rows.size(); ++row) {
        const GridRow& shown = grid.rows[row];
        EXPECT_EQ(shown.cell(kPlanRowNumber), expected[row].number) << row;
        EXPECT_EQ(shown.cell(kPlanState), expected[row].state) << row;
        EXPECT_EQ(shown.cellColours[kPlanState].text, expected[row].colour) << row;
        EXPECT_EQ(shown.cell(kPlanAction), expected[row].action) << row;
        EXPECT_EQ(shown.cellColours[kPlanProfit].text, expected[row].profitColour) << row;
    }
    EXPECT_EQ(grid.rows[2].cell(kPlanDrawCode), "12345");
    EXPECT_EQ(grid.rows[2].cell(kPlanProfit), "1940.50");

    // Five-star plays name no positions; without pages the rows count down from the count.
    const GridContent fiveStar = OwnPlanGrid({item(0, 1), item(1, 1)}, {kChongqing, 0, true, 1, 0});
    EXPECT_EQ(fiveStar.rows[0].cell(kPlanPositions), "");
    EXPECT_EQ(fiveStar.rows[0].cell(kPlanRowNumber), "2");
    EXPECT_EQ(fiveStar.rows[1].cell(kPlanRowNumber), "1");
}

TEST(OwnPlanGrid, OffersStopAndDeleteOnlyWhereEverySelectedPlanAllowsIt) {
    const std::vector<tagPLANITEM> plans = {item(0, 1), item(0, 2), item(0, 3), item(1, 2),
                                            item(3, 2)};
    struct Case {
        std::vector<std::size_t> records;
        bool stop;
        bool remove;
        std::vector<std::int32_t> stopped;
        std::vector<std::int32_t> deleted;
    };
    const Case cases[] = {
        {{0}, false, true, {101}, {101}},
        {{1, 2}, true, false, {102, 103}, {}},
        {{0, 1}, false, false, {101, 102}, {101}},
        {{1, 3}, false, false, {102}, {}},
        {{4}, false, false, {}, {}},
        {{}, false, false, {}, {}},
    };
    for (const Case& c : cases) {
        const OwnPlanMenuItems items = MenuItemsFor(plans, c.records);
        EXPECT_EQ(items.stop, c.stop) << c.records.size();
        EXPECT_EQ(items.remove, c.remove) << c.records.size();
        EXPECT_EQ(PlansToStop(plans, c.records), c.stopped);
        EXPECT_EQ(PlansToDelete(plans, c.records), c.deleted);
    }
    const std::vector<BoxUser> box = PlansForBigBase(plans, {2, 0}, "demo", 42);
    ASSERT_EQ(box.size(), 2u);
    EXPECT_EQ(box[0].name, "demo");
    EXPECT_EQ(box[0].userId, 42);
    EXPECT_EQ(box[0].planId, 103);
    EXPECT_EQ(box[1].planId, 101);
}

TEST(PageCursor, PagesWithinTheCount) {
    struct Case {
        const char* step;
        int from;
        bool changed;
        int to;
    };
    const Case cases[] = {
        {"first", 3, true, 1},    {"first", 1, false, 1}, {"previous", 1, false, 1},
        {"previous", 3, true, 2}, {"next", 3, true, 4},   {"next", 4, false, 4},
        {"last", 2, true, 4},     {"0", 3, true, 1},      {"-7", 3, true, 1},
        {"abc", 3, true, 1},      {"99", 3, true, 4},     {"3", 3, false, 3},
    };
    for (const Case& c : cases) {
        PageCursor pages;
        pages.setPages(31, 10);
        pages.setPage(c.from);
        const std::string step = c.step;
        const bool changed = step == "first"      ? pages.first()
                             : step == "previous" ? pages.previous()
                             : step == "next"     ? pages.next()
                             : step == "last"     ? pages.last()
                                                  : pages.goTo(step);
        EXPECT_EQ(changed, c.changed) << c.step << " from " << c.from;
        EXPECT_EQ(pages.currentPage(), c.to) << c.step << " from " << c.from;
    }
}

TEST(OwnPlanGrid, ProposesTheExportNameByServerDate) {
    const std::time_t noon = DateTime{2013, 5, 1, 12, 0, 0, true}.toTimeT();
    EXPECT_EQ(OwnPlanExportName(noon, "重庆时时彩", "三星", "单选", "demo"),
              "2013-05-01-重庆时时彩三星单选-demo-方案列表");
}

}  // namespace
}  // namespace quorstat
