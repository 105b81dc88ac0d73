// The shared-plan panel's window-free rules: which user is shown and asked for, what a reply
// announces, which sounds follow, the statistics line and the plan grid.
#include <fmt/format.h>
#include <gtest/gtest.h>

#include "plan/own_plan_grid.h"
#include "share/shared_plan_list.h"

namespace quorstat {
namespace {

constexpr int kLottery = 1010;  // 120 issues a day
constexpr int kIssuesPerDay = 120;
constexpr int kLatestDraw = 130501025;

struct Plan {
    int id;
    int status;
    int firstIssue;
    int ordinal;
};

std::string record(const Plan& plan) {
    return fmt::format("PID={}|PS={}|I1={}|I2={}|NIN={}|INS=5|BN=10|LTP=三星|LTT=单选|POS=345|$",
                       plan.id, plan.status, plan.firstIssue, plan.firstIssue + 4, plan.ordinal);
}

std::string reply(const std::vector<Plan>& plans, int total = 0) {
    std::string text = fmt::format("1|{}|{}|S7|CH=3|CUH=0|LMT=2013-05-01 10:05:00|#",
                                   total ? total : plans.size(), plans.size());
    for (const Plan& plan : plans)
        text += record(plan);
    return text;
}

tagUSERINFO user(const char* name, int shares, int followed = 0) {
    tagUSERINFO info;
    info.userName = name;
    info.userInfoId = 7;
    info.shares = shares;
    info.followed = followed;
    return info;
}

struct ShowCase {
    const char* shownBefore;  // nullptr: nobody
    int sharedBefore;
    const char* name;
    int shares;
    bool manager;
    SharedPlanList::ShowOutcome outcome;
};

TEST(SharedPlanList, ShowingAUserAsksOnlyForNewSharingUsersOrAManager) {
    using Outcome = SharedPlanList::ShowOutcome;
    const ShowCase cases[] = {
        {nullptr, 0, "高手01", 1, false, Outcome::Load},
        {nullptr, 0, "高手02", 0, false, Outcome::NotSharing},
        {nullptr, 0, "高手02", 0, true, Outcome::Load},
        {"高手01", 1, "高手01", 1, false, Outcome::Unchanged},
        {"高手01", 1, "高手01", 0, false, Outcome::NotSharing},
        {"高手01", 0, "高手01", 1, false, Outcome::Load},
        {"高手01", 1, "高手03", 1, false, Outcome::Load},
    };
    for (const ShowCase& c : cases) {
        SCOPED_TRACE(fmt::format("{} -> {} shares {} manager {}",
                                 c.shownBefore ? c.shownBefore : "-", c.name, c.shares, c.manager));
        SharedPlanList list;
        if (c.shownBefore)
            list.show(user(c.shownBefore, c.sharedBefore), false);
        EXPECT_EQ(list.show(user(c.name, c.shares), c.manager), c.outcome);
        EXPECT_EQ(list.user().userName, c.name);
        EXPECT_EQ(list.statisticsLine() == kNoSharedPlans, c.outcome == Outcome::NotSharing);
    }
}

TEST(SharedPlanList, AnotherUserStartsOnPageOneWithoutStampOrStatistics) {
    SharedPlanList list;
    list.show(user("高手01", 1), false);
    ASSERT_TRUE(
        list.apply(reply({{1, 1, 130501024, 1}}, 45), 20, kLatestDraw, kLottery, kIssuesPerDay)
            .loaded);
    EXPECT_EQ(list.pageCount(), 3);
    EXPECT_TRUE(list.last());
    EXPECT_EQ(list.query(true, 20).stamp, "S7");
    EXPECT_EQ(list.query(true, 20).page, 3);
    EXPECT_EQ(list.query(false, 20).stamp, "");
    EXPECT_EQ(list.statisticsLine(),
              "用户：高手01，最大连中：3，最大连挂：-，更新：2013-05-01 10:05:00");

    list.show(user("高手02", 1), false);
    EXPECT_EQ(list.currentPage(), 1);
    EXPECT_EQ(list.pageCount(), 1);
    EXPECT_EQ(list.query(true, 20).stamp, "");
    EXPECT_TRUE(list.plans().empty());
    EXPECT_EQ(list.statisticsLine(), "用户：高手02，最大连中：-，最大连挂：-，更新：");
}

TEST(SharedPlanList, FollowMarksOnlyTheViewedUser) {
    SharedPlanList list;
    EXPECT_FALSE(list.setFollowed("高手01", true));
    list.show(user("高手01", 1), false);
    EXPECT_FALSE(list.setFollowed("高手02", true));
    EXPECT_TRUE(list.setFollowed("高手01", true));
    EXPECT_EQ(list.user().followed, 1);
    EXPECT_TRUE(list.setFollowed("高手01", false));
    EXPECT_EQ(list.user().followed, 0);
}

struct EventCase {
    const char* what;
    std::vector<Plan> plans;
    bool newPlan;
    int endEvent;
};

TEST(SharedPlanList, ARepliesPlansAnnounceNewPlansAndTheirEnd) {
    const EventCase cases[] = {
        {"waiting in its first issue", {{1, 0, 130501026, 1}}, true, 0},
        {"hit on the latest draw", {{2, 1, 130501024, 2}}, false, 1},
        {"missed on the latest draw", {{3, 2, 130501025, 1}}, false, 2},
        {"hit on an earlier draw", {{4, 1, 130501020, 2}}, false, 0},
        {"running beyond its first issue", {{5, 0, 130501024, 3}}, false, 3},
        {"the later record wins", {{6, 0, 130501024, 3}, {7, 2, 130501025, 1}}, false, 2},
        {"stopped", {{8, 3, 130501024, 2}}, false, 0},
        {"hit across midnight", {{9, 1, 130430120, 2}}, false, 0},
    };
    for (const EventCase& c : cases) {
        SCOPED_TRACE(c.what);
        SharedPlanList list;
        list.show(user("高手01", 1), false);
        const SharedPlanEvents events =
            list.apply(reply(c.plans), 20, kLatestDraw, kLottery, kIssuesPerDay);
        EXPECT_TRUE(events.loaded);
        EXPECT_EQ(events.newPlan, c.newPlan);
        EXPECT_EQ(events.endEvent, c.endEvent);
        EXPECT_EQ(list.plans().size(), c.plans.size());
    }
}

TEST(SharedPlanList, ABrokenReplyEmptiesThePage) {
    const char* replies[] = {"0|", "1|3|1|S", "1|3|1|S|CH=2|PID=1|$", "x"};
    for (const char* text : replies) {
        SCOPED_TRACE(text);
        SharedPlanList list;
        list.show(user("高手01", 1), false);
        list.apply(reply({{1, 1, 130501024, 1}}), 20, kLatestDraw, kLottery, kIssuesPerDay);
        EXPECT_FALSE(list.apply(text, 20, kLatestDraw, kLottery, kIssuesPerDay).loaded);
        EXPECT_TRUE(list.plans().empty());
        EXPECT_EQ(list.summary().longestHitRun, 0);
    }
}

struct SoundCase {
    const char* what;
    bool pageShown;
    bool armed;
    bool activated;
    bool newPlanSound;
    bool endSound;
    SharedPlanEvents events;
    std::vector<int> resources;  // 0 for the new-plan file
    bool endSoundLeftArmed;
};

TEST(SharedPlanList, SoundsPlayOnlyOnTheSharingPageOnceArmed) {
    const SharedPlanEvents newPlan{true, true, 0};
    const SharedPlanEvents hit{true, false, 1};
    const SharedPlanEvents both{true, true, 2};
    const SharedPlanEvents running{true, false, 3};
    const SoundCase cases[] = {
        {"new plan", true, true, true, true, true, newPlan, {0}, true},
        {"new plan, sound off", true, true, true, false, true, newPlan, {}, true},
        {"another page", false, true, true, true, true, both, {}, true},
        {"not armed yet", true, false, false, true, true, both, {}, false},
        {"hit", true, true, true, true, true, hit, {3143}, false},
        {"miss and new plan", true, true, true, true, true, both, {0, 3141}, false},
        {"running", true, true, true, true, true, running, {3148}, false},
        {"end sound off", true, true, true, true, false, hit, {}, false},
        {"page not activated", true, true, false, true, true, hit, {}, false},
    };
    for (const SoundCase& c : cases) {
        SCOPED_TRACE(c.what);
        SharedPlanList list;
        if (c.armed)
            list.armSounds();
        if (c.activated)
            list.activate();
        const auto items =
            list.sounds(c.events, {c.pageShown, c.newPlanSound, "/app/Sound/new.wav", c.endSound});
        std::vector<int> resources;
        for (const SoundItem& item : items) {
            resources.push_back(item.resourceId);
            if (item.kind == 0) {
                EXPECT_EQ(item.filePath, "/app/Sound/new.wav");
            }
        }
        EXPECT_EQ(resources, c.resources);
        // A second end event plays again only while the end sound is still armed.
        const auto again = list.sounds(hit, {c.pageShown, false, {}, c.endSound});
        EXPECT_EQ(!again.empty(), c.endSoundLeftArmed && c.pageShown && c.endSound);
    }
}

TEST(SharedPlanList, TheNewPlanSoundPlaysOnceForAPlan) {
    SharedPlanList list;
    list.show(user("高手01", 1), false);
    list.armSounds();
    const SharedPlanSoundSettings settings{true, true, "/app/new.wav", false};
    const std::string first = reply({{11, 0, 130501026, 1}});
    const std::string second = reply({{12, 0, 130501026, 1}, {11, 0, 130501026, 1}});
    std::vector<std::size_t> played;
    for (const std::string& text : {first, first, second}) {
        const auto events = list.apply(text, 20, kLatestDraw, kLottery, kIssuesPerDay);
        played.push_back(list.sounds(events, settings).size());
    }
    EXPECT_EQ(played, (std::vector<std::size_t>{1, 0, 1}));
}

TEST(SharedPlanGrid, CellsFollowThePlanListRules) {
    tagPLANITEM waiting;
    waiting.firstIssue = 130501024;
    waiting.lastIssue = 130501028;
    waiting.starName = "三星";
    waiting.kindName = "单选";
    waiting.positions = "345";
    waiting.issueCount = 5;
    waiting.multiples = "1,2,4,8,16";
    waiting.betCount = 600;
    waiting.status = 0;
    waiting.issueOrdinal = 2;
    waiting.betAmount = 1200;
    waiting.profit = -1200;
    tagPLANITEM hit = waiting;
    hit.status = 1;
    hit.issueOrdinal = 1;
    hit.drawCode = "12345";
    hit.prizeAmount = 1960.5;
    hit.profit = 760.5;

    // Page 2 of 20 a page: the rows count down from 22.
    const GridContent grid =
        SharedPlanGrid({waiting, hit}, {.lotteryId = kLottery, .currentPage = 2, .pageSize = 20});
    ASSERT_EQ(grid.columns.size(), 14u);
    EXPECT_EQ(grid.columns[kPlanDetail].name, "详情");
    EXPECT_TRUE(grid.columns[kPlanDetail].link);
    const std::vector<std::string> first = {"22",      "024 - 028",  "三星",     "单选",  "后三",
                                            "5",       "1,2,4,8,16", "600",      "*****", "等(2)",
                                            "1200.00", "0.00",       "-1200.00", "查看"};
    EXPECT_EQ(grid.rows[0].cells, first);
    EXPECT_EQ(grid.rows[0].cellColours[9].text, 0x0000FFu);
    EXPECT_EQ(grid.rows[0].cellColours[12].text, 0xFF0000u);
    EXPECT_EQ(grid.rows[1].cells[0], "21");
    EXPECT_EQ(grid.rows[1].cells[8], "12345");
    EXPECT_EQ(grid.rows[1].cells[9], "中(1)");
    EXPECT_EQ(grid.rows[1].cellColours[9].text, 0xFF0000u);
    EXPECT_FALSE(grid.rows[1].cellColours[12].text.has_value());

    hit.status = 2;
    EXPECT_EQ(SharedPlanGrid({hit}, {.lotteryId = kLottery}).rows[0].cellColours[9].text,
              0x969696u);
    hit.status = 3;
    EXPECT_EQ(SharedPlanGrid({hit}, {.lotteryId = kLottery}).rows[0].cells[9], "停(1)");
    EXPECT_EQ(SharedPlanGrid({hit}, {.lotteryId = kLottery, .fiveStar = true}).rows[0].cells[4],
              "");
}

}  // namespace
}  // namespace quorstat
