#include <gtest/gtest.h>

#include "net/plan_record.h"
#include "net/settings_record.h"
#include "net/template_record.h"
#include "net/user_record.h"

namespace quorstat {
namespace {

const std::string kPlan =
    "PID=991|UN=alice|LTN=重庆时时彩|LTP=三星|LTT=单选|POS=123,345|HP=345|CP=2.0|BON=1,960.5|"
    "BM=12|BB=1,960.50|PFT=1,234.50|I1=130501010|I2=130501012|INS=3|NI=130501011|NIN=2|BN=12|PS=1|"
    "MTP=1,2,4|BT=2013-05-01 10:00:00|LMT=2013-05-01 10:20:00|LC=12345|TXT=01 23|";

TEST(PlanRecord, ReadsEveryField) {
    const tagPLANITEM plan = ParsePlanRecord(kPlan);
    EXPECT_EQ(plan.planId, 991);
    EXPECT_EQ(plan.userName, "alice");
    EXPECT_EQ(plan.lotteryName, "重庆时时彩");
    EXPECT_EQ(plan.starName, "三星");
    EXPECT_EQ(plan.kindName, "单选");
    EXPECT_EQ(plan.positions, "123,345");
    EXPECT_EQ(plan.hitPositions, "345");
    EXPECT_DOUBLE_EQ(plan.unitCost, 2.0);
    EXPECT_DOUBLE_EQ(plan.prize, 1960.5);
    EXPECT_DOUBLE_EQ(plan.betAmount, 12);
    EXPECT_DOUBLE_EQ(plan.prizeAmount, 1960.5);
    EXPECT_DOUBLE_EQ(plan.profit, 1234.5);
    EXPECT_EQ(plan.firstIssue, 130501010);
    EXPECT_EQ(plan.lastIssue, 130501012);
    EXPECT_EQ(plan.issueCount, 3);
    EXPECT_EQ(plan.ni, 130501011);
    EXPECT_EQ(plan.issueOrdinal, 2);
    EXPECT_EQ(plan.betCount, 12);
    EXPECT_EQ(plan.status, 1);
    EXPECT_EQ(plan.multiples, "1,2,4");
    EXPECT_EQ(plan.betTime, "2013-05-01 10:00:00");
    EXPECT_EQ(plan.modified, "2013-05-01 10:20:00");
    EXPECT_EQ(plan.drawCode, "12345");
    EXPECT_EQ(plan.numbers, "01 23");
}

TEST(PlanRecord, MissingEmptyAndForeignFieldsKeepInitialValues) {
    const tagPLANITEM plan = ParsePlanRecord("PS=|X=TXT=9|TXT|ZZ=1||BN=12");
    EXPECT_EQ(plan.status, 0);
    EXPECT_EQ(plan.numbers, "");
    EXPECT_EQ(plan.betCount, 12);
    EXPECT_EQ(plan.planId, 0);
    EXPECT_DOUBLE_EQ(plan.profit, 0);
}

TEST(PlanRecord, ValueKeepsTextThatRepeatsItsTag) {
    EXPECT_EQ(ParsePlanRecord("TXT=TXT=1").numbers, "TXT=1");
}

TEST(PlanRecord, DetailRepliesGroupTheBetCount) {
    EXPECT_EQ(ParsePlanRecord("BN=1,200|", PlanRecordSource::List).betCount, 1);
    EXPECT_EQ(ParsePlanRecord("BN=1,200|", PlanRecordSource::Detail).betCount, 1200);
}

TEST(PlanSummary, RemovesGroupingWhereTheServiceUsesIt) {
    const PlanSummary summary = ParseSummaryRecord(
        "IM=1,000|TNM=2,000.5|TM=30,000|TB=4,000|TP=-26,000|PP=-1,300|RBP=-86.67|TN=20|TNN=2|"
        "TSN=10|TLN=7|TCN=1|RBS=55.56|CH=1,004|CUH=3|CHN=2|CHNS=0|LMT=2013-05-01 10:00:00");
    EXPECT_DOUBLE_EQ(summary.im, 1000);
    EXPECT_DOUBLE_EQ(summary.runningStake, 2000.5);
    EXPECT_DOUBLE_EQ(summary.totalStake, 30000);
    EXPECT_DOUBLE_EQ(summary.totalPrize, 4000);
    EXPECT_DOUBLE_EQ(summary.totalProfit, -26000);
    EXPECT_DOUBLE_EQ(summary.averageProfit, -1300);
    EXPECT_DOUBLE_EQ(summary.profitRate, -86.67);
    EXPECT_EQ(summary.planCount, 20);
    EXPECT_EQ(summary.runningPlans, 2);
    EXPECT_EQ(summary.hitPlans, 10);
    EXPECT_EQ(summary.missedPlans, 7);
    EXPECT_EQ(summary.stoppedPlans, 1);
    EXPECT_DOUBLE_EQ(summary.successRate, 55.56);
    EXPECT_EQ(summary.longestHitRun, 1004);
    EXPECT_EQ(summary.longestMissRun, 3);
    EXPECT_EQ(summary.currentRun, 2);
    EXPECT_EQ(summary.currentRunKind, 0);
    EXPECT_EQ(summary.stamp, "2013-05-01 10:00:00");
    EXPECT_EQ(ParseSummaryRecord("TN=1,500|RBS=1,5").planCount, 1);
    EXPECT_EQ(ParseSummaryRecord("").currentRunKind, 1);
}

TEST(PlanList, ReadsHeadSummaryAndPlans) {
    const PlanListReply list =
        ParsePlanList("1|41|2|S|TN=41|CH=3#" + kPlan + "$PID=992|BN=1|$trailing");
    EXPECT_EQ(list.outcome, ListOutcome::Loaded);
    EXPECT_EQ(list.total, 41);
    EXPECT_EQ(list.count, 2);
    EXPECT_EQ(list.stamp, "S");
    EXPECT_EQ(list.summary.planCount, 41);
    EXPECT_EQ(list.summary.longestHitRun, 3);
    ASSERT_EQ(list.plans.size(), 2u);
    EXPECT_EQ(list.plans[0].planId, 991);
    EXPECT_EQ(list.plans[1].planId, 992);
}

TEST(PlanList, OutcomesOfOtherReplies) {
    struct Case {
        std::string reply;
        ListOutcome outcome;
        std::size_t plans;
    };
    const std::vector<Case> cases{
        {"", ListOutcome::Failed, 0},
        {"0|refused", ListOutcome::Failed, 0},
        {"2|", ListOutcome::Unchanged, 0},
        {"1|10|2|S|TN=1", ListOutcome::Failed, 0},  // no "#"
        {"1|10|2", ListOutcome::Failed, 0},         // head cut short
        {"1|10|0|S|#PID=1$PID=2$", ListOutcome::Loaded, 0},
        {"1|10|-5|S|#PID=1$", ListOutcome::Loaded, 0},
        {"1|10|2000000000|S|#PID=1$PID=2$", ListOutcome::Loaded, 2},  // absurd count
        {"1|10|1|S|#PID=1$PID=2$PID=3$", ListOutcome::Loaded, 1},
        {"1|10|3|S|#PID=1$PID=2$PID=3|BN=1|TX", ListOutcome::Loaded, 3},  // cut by a time-out
        {"1|1|1|S|#", ListOutcome::Loaded, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reply);
        const PlanListReply list = ParsePlanList(c.reply);
        EXPECT_EQ(list.outcome, c.outcome);
        EXPECT_EQ(list.plans.size(), c.plans);
    }
}

TEST(PlanDetail, ReadsPlansOnlyWhenOneIsAnnounced) {
    EXPECT_EQ(ParsePlanDetail("1|1|X|PID=5|BN=1,200|$").at(0).betCount, 1200);
    EXPECT_TRUE(ParsePlanDetail("1|2|X|PID=5|$PID=6|$").empty());
    EXPECT_TRUE(ParsePlanDetail("1|1|PID=5|$").empty());
    EXPECT_TRUE(ParsePlanDetail("0|1|X|PID=5|$").empty());
    EXPECT_EQ(ParsePlanDetail("1|1|X|PID=5|$PID=6|$PID=7|$").size(), 2u);
}

const std::string kTemplate =
    "TempletID=7|Sort=2|UserName=alice|TempletName=我的|SignName=@USERNAME|Win=中|Loss=挂|"
    "Wait=等|Remark=Win=完|DispCode=True|DispSuccessRatio=true|DispMultiple=True|"
    "DispProjectDown=False|DispIssueNum=True|DispProfit=True|DispProfitCollect=True|"
    "DispHit=True|DispHitNow=True|DispLotteryName=True|DispCountNum=3|DispPosition=True|";

TEST(TemplateRecord, ReadsFieldsAndExactFlags) {
    const tagTEMPLATEITEM item = ParseTemplateRecord(kTemplate);
    EXPECT_EQ(item.TempletID, 7);
    EXPECT_EQ(item.Sort, 2);
    EXPECT_EQ(item.TempletName, "我的");
    EXPECT_EQ(item.SignName, "@USERNAME");
    EXPECT_EQ(item.Win, "中");
    EXPECT_EQ(item.Loss, "挂");
    EXPECT_EQ(item.Wait, "等");
    EXPECT_EQ(item.Remark, "Win=完");
    EXPECT_TRUE(item.DispCode);
    EXPECT_FALSE(item.DispSuccessRatio);
    EXPECT_TRUE(item.DispMultiple);
    EXPECT_FALSE(item.DispProjectDown);
    EXPECT_TRUE(item.DispIssueNum);
    EXPECT_TRUE(item.DispProfit);
    EXPECT_TRUE(item.DispProfitCollect);
    EXPECT_TRUE(item.DispHit);
    EXPECT_TRUE(item.DispHitNow);
    EXPECT_TRUE(item.DispPosition);
    EXPECT_EQ(item.DispCountNum, 3);
    EXPECT_EQ(ParseTemplateDetail("1|" + kTemplate), item);
    EXPECT_EQ(ParseTemplateDetail("0|"), std::nullopt);
}

TEST(TemplateList, ReadsAtMostTheAnnouncedTemplates) {
    const TemplateListReply list = ParseTemplateList(
        "1|2|S|TempletName=甲|TempletStatus=False$TempletName=乙|TempletStatus=True$"
        "TempletName=丙|TempletStatus=True$");
    EXPECT_EQ(list.outcome, ListOutcome::Loaded);
    EXPECT_EQ(list.stamp, "S");
    ASSERT_EQ(list.templates.size(), 2u);
    EXPECT_EQ(list.templates[1].TempletName, "乙");
    EXPECT_EQ(list.nameInUse, "乙");

    EXPECT_EQ(ParseTemplateList("2|").outcome, ListOutcome::Unchanged);
    EXPECT_EQ(ParseTemplateList("1|0|").outcome, ListOutcome::Loaded);
    EXPECT_TRUE(ParseTemplateList("1|0|").templates.empty());
    EXPECT_EQ(ParseTemplateList("1|3").outcome, ListOutcome::Failed);
    EXPECT_EQ(ParseTemplateList("1").outcome, ListOutcome::Failed);
    EXPECT_EQ(ParseTemplateList("").outcome, ListOutcome::Failed);
    EXPECT_EQ(ParseTemplateList("1|999999999|S|TempletName=甲$").templates.size(), 1u);
}

TEST(UserRecord, ReadsEveryTag) {
    const tagUSERINFO user = ParseUserRecord(
        "UID=42|UN=bob|LTN=重庆时时彩|LTP=三星|LTT=单选|SH=TRUE|IM=1,000|PP=1,234.5|RBP=12.5|TN=9|"
        "TNN=2|TSN=5|TLN=1|TCN=1|AN=1,200|RBS=55.5|NIN=3|INS=4|BF=0.75|LMT=2013-05-01|AT=1|");
    EXPECT_EQ(user.userInfoId, 42);
    EXPECT_EQ(user.userName, "bob");
    EXPECT_EQ(user.lotteryName, "重庆时时彩");
    EXPECT_EQ(user.starName, "三星");
    EXPECT_EQ(user.kindName, "单选");
    EXPECT_EQ(user.shares, 1);
    EXPECT_DOUBLE_EQ(user.im, 1000);
    EXPECT_DOUBLE_EQ(user.averageProfit, 1234.5);
    EXPECT_DOUBLE_EQ(user.profitRate, 12.5);
    EXPECT_EQ(user.planCount, 9);
    EXPECT_EQ(user.runningPlans, 2);
    EXPECT_EQ(user.hitPlans, 5);
    EXPECT_EQ(user.missedPlans, 1);
    EXPECT_EQ(user.stoppedPlans, 1);
    EXPECT_EQ(user.averageBets, 1200);
    EXPECT_DOUBLE_EQ(user.successRate, 55.5);
    EXPECT_EQ(user.issueOrdinal, 3);
    EXPECT_EQ(user.chasedIssues, 4);
    EXPECT_DOUBLE_EQ(user.stability, 0.75);
    EXPECT_EQ(user.lastChange, "2013-05-01");
    EXPECT_EQ(user.followed, 1);
}

TEST(UserRecord, FlagsAndUndefinedAverages) {
    const tagUSERINFO user = ParseUserRecord("SH=yes|AT=True|PP=4294967295|RBP=4294967280");
    EXPECT_EQ(user.shares, 0);
    EXPECT_EQ(user.followed, 0);
    EXPECT_DOUBLE_EQ(user.averageProfit, 0);
    EXPECT_DOUBLE_EQ(user.profitRate, 4294967280.0);
}

TEST(UserList, ReadsOnlyFinishedRecordsUpToTheCount) {
    const UserListReply list = ParseUserList("1|41|3|S|UN=a|$UN=b|$UN=c|TN=");
    EXPECT_EQ(list.outcome, ListOutcome::Loaded);
    EXPECT_EQ(list.total, 41);
    EXPECT_EQ(list.count, 3);
    EXPECT_EQ(list.stamp, "S");
    ASSERT_EQ(list.users.size(), 2u);
    EXPECT_EQ(list.users[1].userName, "b");

    EXPECT_EQ(ParseUserList("1|5|1|S|UN=a|$UN=b|$").users.size(), 1u);
    EXPECT_EQ(ParseUserList("1|5|2000000000|S|UN=a|$").users.size(), 1u);
    EXPECT_EQ(ParseUserList("1|5|1|STAMP").stamp, "STAMP");
    EXPECT_EQ(ParseUserList("1|5").outcome, ListOutcome::Failed);
    EXPECT_EQ(ParseUserList("2|").outcome, ListOutcome::Unchanged);
    EXPECT_EQ(ParseUserList("x|").outcome, ListOutcome::Failed);
}

TEST(SettingsRecord, ReadsValueAndStamp) {
    const SettingsRecord record = ParseSettingsRecord(
        "Remark=r||SetUp=QQ#消息盒子##|ModifyTime=2013-05-01 10:00:00|Allow=1|");
    EXPECT_EQ(record.setUp, "QQ#消息盒子##");
    EXPECT_EQ(record.modifyTime, "2013-05-01 10:00:00");
}

TEST(SettingsRecord, WindowFilterKeepsEveryTitleEmptyOnesIncluded) {
    struct Case {
        std::string_view setUp;
        std::vector<std::string> titles;
    } cases[] = {
        {"QQ#消息盒子##", {"QQ", "消息盒子", ""}},
        {"A##B#", {"A", "", "B"}},
        {"A#B", {"A", "B"}},
        {"#", {""}},
        {"", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitWindowFilter(c.setUp), c.titles) << c.setUp;
}

TEST(SettingsRecord, WindowFilterTextDropsRepeatsAndReadsBackWhole) {
    EXPECT_EQ(FormatWindowFilter({"A", "B", "A", ""}), "A#B##");
    EXPECT_EQ(FormatWindowFilter({}), "");
    const std::vector<std::string> defaults = DefaultWindowFilter().titles;
    ASSERT_EQ(defaults.size(), 18u);
    EXPECT_EQ(SplitWindowFilter(FormatWindowFilter(defaults)), defaults);
}

TEST(SettingsRecord, IntervalsInSecondsAndMinutes) {
    RefreshIntervals intervals;
    ApplyIntervalSetup(
        "RefServerTime=20#RefBetNum=15#RefUserList=40#RefPlanList=30#RefFansCount=90#"
        "RefTopHtml=5#RefOwnPlanAfterBetNum=8#Unknown=3##",
        intervals);
    EXPECT_EQ(intervals.serverTime, 20000);
    EXPECT_EQ(intervals.betNum, 15000);
    EXPECT_EQ(intervals.userList, 40000);
    EXPECT_EQ(intervals.planList, 30000);
    EXPECT_EQ(intervals.fansCount, 90000);
    EXPECT_EQ(intervals.topHtml, 300000);
    EXPECT_EQ(intervals.ownPlanAfterBetNum, 8000);
    EXPECT_EQ(FormatIntervalSetup(intervals),
              "RefServerTime=20#RefBetNum=15#RefUserList=40#RefPlanList=30#RefFansCount=90#"
              "RefTopHtml=5#RefOwnPlanAfterBetNum=8#");
}

TEST(SettingsRecord, UnusableIntervalsAreIgnored) {
    RefreshIntervals intervals;
    ApplyIntervalSetup("RefServerTime=0#RefBetNum=-5#RefTopHtml=99999999#RefUserList#RefPlanList=x",
                       intervals);
    const RefreshIntervals defaults;
    EXPECT_EQ(intervals.serverTime, defaults.serverTime);
    EXPECT_EQ(intervals.betNum, defaults.betNum);
    EXPECT_EQ(intervals.topHtml, defaults.topHtml);
    EXPECT_EQ(intervals.userList, defaults.userList);
    EXPECT_EQ(intervals.planList, defaults.planList);
}

}  // namespace
}  // namespace quorstat
