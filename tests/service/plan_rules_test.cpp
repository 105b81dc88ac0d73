#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "service/civil_time.h"
#include "service/daily_points.h"
#include "service/filter_condition.h"
#include "service/lottery_calendar.h"
#include "service/money.h"
#include "service/page_error.h"
#include "service/plan.h"
#include "service/plan_bet.h"
#include "service/plan_summary.h"
#include "service/user_figures.h"

namespace quorstat::service {
namespace {

const LotterySchedule& chongqing() {
    static const LotteryCalendar calendar = LotteryCalendar::standard();
    return *calendar.find(1010);
}

CivilSeconds at(const char* time) {
    return *parseDateTime(time);
}

std::string pageErrorOf(int playId, const std::string& text) {
    try {
        PlanBet::parse(playId, text);
    } catch (const PageError& error) {
        return error.what();
    }
    return "accepted";
}

// 三星单选 on 前三 from issue 130501024 (10:00), two yuan a bet, 1950 a win.
Plan threeStarPlan(std::vector<int> multiples, std::vector<std::string> positions = {"123"},
                   std::string numbers = "555 ") {
    Plan plan;
    plan.lotteryId = 1010;
    plan.playId = 1302;
    plan.positions = std::move(positions);
    plan.unitCost = 2000;
    plan.prize = 1950000;
    plan.firstIssue = 130501024;
    plan.multiples = std::move(multiples);
    plan.lastIssue =
        LotteryCalendar::issueAfter(chongqing(), plan.firstIssue, plan.issueCount() - 1);
    plan.numbers = std::move(numbers);
    plan.betCount = PlanBet::parse(plan.playId, plan.numbers).betCount();
    plan.nextIssue = plan.firstIssue;
    plan.nextDrawAt = *LotteryCalendar::drawTime(chongqing(), plan.firstIssue);
    return plan;
}

void play(Plan& plan, const std::vector<std::string>& draws) {
    const PlanBet bet = PlanBet::parse(plan.playId, plan.numbers);
    for (const std::string& draw : draws)
        plan.playIssue(bet, draw, plan.nextDrawAt, chongqing());
}

TEST(PlanBet, ReadsEachPlayFamilyIntoItsCanonicalForm) {
    const struct {
        int playId;
        std::string text;
        std::string canonical;
        int count;
    } cases[] = {
        {1301, "45 12  45 ", "12 45 ", 2},
        {1305, "21 12 11", "11 12 ", 2},
        {1306, "321 213 555 ", "123 555 ", 2},
        {1304, "00001 ", "00001 ", 1},
        {1308, "9630", "0369", 4},
        {1310, "55", "5", 1},
        {1311, "1:10,3:5,5:987", "1:01,3:5,5:789", 6},
    };
    for (const auto& c : cases) {
        const PlanBet bet = PlanBet::parse(c.playId, c.text);
        EXPECT_EQ(bet.text(), c.canonical) << c.text;
        EXPECT_EQ(bet.betCount(), c.count) << c.text;
    }
}

TEST(PlanBet, RefusesMalformedContent) {
    const struct {
        int playId;
        std::string text;
        std::string message;
    } cases[] = {
        {1302, "", "没有输入投注数据"},         {1302, "   ", "没有输入投注数据"},
        {1302, "123 45", "投注号码格式不正确"}, {1302, "123,456", "投注号码格式不正确"},
        {1301, "1a ", "投注号码格式不正确"},    {1308, "03a", "胆码格式不正确"},
        {1308, "0 3", "胆码格式不正确"},        {1311, "3:5,1:0", "胆码格式不正确"},
        {1311, "1:0,1:2", "胆码格式不正确"},    {1311, "6:1", "胆码格式不正确"},
        {1311, "1:", "胆码格式不正确"},         {1311, "1:0,", "胆码格式不正确"},
        {1311, "15", "胆码格式不正确"},         {1299, "12 ", "玩法名称不正确"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(pageErrorOf(c.playId, c.text), c.message) << c.playId << " " << c.text;
}

TEST(PlanBet, WinsByTheRuleOfItsFamily) {
    const struct {
        int playId;
        std::string numbers;
        std::string draw;
        std::string position;
        int wins;
    } cases[] = {
        // 单选: the drawn digits in order.
        {1302, "123 456 ", "01234", "234", 1},
        {1302, "123 456 ", "01234", "123", 0},
        {1302, "321 ", "01234", "234", 0},
        {1301, "19 ", "30519", "45", 1},
        {1301, "19 ", "30519", "15", 0},
        {1304, "30519 ", "30519", "12345", 1},
        // 组选: the same digits in any order.
        {1306, "123 ", "31245", "123", 1},
        {1306, "123 ", "31245", "345", 0},
        {1305, "11 ", "11234", "12", 1},
        {1305, "12 ", "11234", "12", 0},
        // 不定位胆: every chosen digit among the drawn ones wins once.
        {1308, "0369", "30519", "123", 2},
        {1308, "0369", "30519", "345", 1},
        {1307, "0369", "30519", "45", 1},
        {1310, "0369", "33333", "12345", 1},
        {1310, "1248", "30579", "12345", 0},
        // 定位胆: each position whose digit is in its group.
        {1311, "1:01,3:5", "30519", "12345", 1},
        {1311, "1:01,3:5", "10519", "12345", 2},
        {1311, "1:01,3:5", "20619", "12345", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PlanBet::parse(c.playId, c.numbers).winningBets(c.draw, c.position), c.wins)
            << c.playId << " " << c.numbers << " " << c.draw << " " << c.position;
}

TEST(PlanBet, BetSpacesOfThePlays) {
    const std::pair<int, int> spaces[] = {{1301, 100},    {1302, 1000}, {1303, 10000},
                                          {1304, 100000}, {1305, 55},   {1306, 220},
                                          {1309, 10},     {1311, 50},   {1299, 0}};
    for (const auto& [playId, space] : spaces)
        EXPECT_EQ(PlanBet::betSpace(playId), space) << playId;
}

TEST(PlanRun, HitsInItsThirdIssue) {
    Plan plan = threeStarPlan({1, 2, 4});
    play(plan, {"12345", "98765"});
    EXPECT_EQ(plan.state, PlanState::Waiting);
    EXPECT_EQ(plan.reached, 3);
    EXPECT_EQ(plan.nextIssue, 130501026);
    EXPECT_EQ(formatDateTime(plan.nextDrawAt), "2013-05-01 10:20:00");
    EXPECT_EQ(plan.stake, 6000);
    EXPECT_EQ(plan.awaitedStake(), 8000);
    EXPECT_TRUE(plan.covers(130501026));
    EXPECT_FALSE(plan.covers(130501027));
    play(plan, {"55501"});
    EXPECT_EQ(plan.state, PlanState::Hit);
    EXPECT_EQ(plan.reached, 3);
    EXPECT_EQ(plan.nextIssue, 130501026);
    EXPECT_EQ(formatMoney(plan.stake), "14.000");
    EXPECT_EQ(formatMoney(plan.winnings), "7800.000");
    EXPECT_EQ(plan.hitPositions, "123");
    EXPECT_EQ(plan.drawNumbers, "55501");
    EXPECT_EQ(formatDateTime(*plan.decidedAt), "2013-05-01 10:20:00");
    EXPECT_EQ(plan.playedIssues(), 3);
    EXPECT_EQ(plan.remainingStake(), 0);
}

TEST(PlanRun, MissesAllItsIssues) {
    Plan plan = threeStarPlan({1, 2, 4});
    play(plan, {"12345", "98765", "55401"});
    EXPECT_EQ(plan.state, PlanState::Missed);
    EXPECT_EQ(plan.reached, 3);
    EXPECT_EQ(plan.stake, 14000);
    EXPECT_EQ(plan.winnings, 0);
    EXPECT_EQ(plan.hitPositions, "");
    EXPECT_EQ(plan.drawNumbers, "55401");
}

TEST(PlanRun, StopsWithTheStakeOfTheIssuesPlayed) {
    Plan plan = threeStarPlan({1, 2, 4});
    EXPECT_FALSE(plan.hasStarted());
    EXPECT_EQ(plan.remainingStake(), 14000);
    play(plan, {"12345"});
    EXPECT_TRUE(plan.hasStarted());
    plan.stop(at("2013-05-01 10:05:00"));
    EXPECT_EQ(plan.state, PlanState::Stopped);
    EXPECT_EQ(plan.reached, 2);
    EXPECT_EQ(plan.playedIssues(), 1);
    EXPECT_EQ(plan.stake, 2000);
    EXPECT_EQ(plan.awaitedStake(), 0);
    EXPECT_TRUE(plan.covers(130501024));
    EXPECT_FALSE(plan.covers(130501025));
    EXPECT_FALSE(plan.covers(130501023));
}

TEST(PlanRun, TwoPositionsStakeTwiceAndWinWhereTheyHit) {
    Plan plan = threeStarPlan({1, 2}, {"123", "345"});
    EXPECT_EQ(plan.issueStake(1), 4000);
    play(plan, {"12555"});
    EXPECT_EQ(plan.state, PlanState::Hit);
    EXPECT_EQ(plan.hitPositions, "345");
    EXPECT_EQ(plan.winnings, 1950000);
    EXPECT_EQ(plan.stake, 4000);

    Plan both = threeStarPlan({1, 2}, {"123", "345"});
    play(both, {"01234", "55555"});
    EXPECT_EQ(both.hitPositions, "123,345");
    EXPECT_EQ(formatMoney(both.winnings), "7800.000");
    EXPECT_EQ(formatMoney(both.stake), "12.000");
}

TEST(PlanRun, RunsOverMidnightIntoTheNextLotteryDay) {
    Plan plan = threeStarPlan({1, 1});
    plan.firstIssue = plan.nextIssue = 130501120;
    plan.nextDrawAt = *LotteryCalendar::drawTime(chongqing(), plan.firstIssue);
    EXPECT_EQ(formatDateTime(plan.nextDrawAt), "2013-05-02 00:00:00");
    play(plan, {"00000"});
    EXPECT_EQ(plan.nextIssue, 130502001);
    EXPECT_EQ(formatDateTime(plan.nextDrawAt), "2013-05-02 00:05:00");
}

// A, B, C decided in the order C, A, B; D waits in its second issue; E was stopped.
std::vector<Plan> fixedHistory() {
    Plan a = threeStarPlan({1, 2, 4});
    play(a, {"12345", "98765", "55501"});
    a.decidedAt = at("2013-05-01 11:00:00");
    Plan b = threeStarPlan({1, 2, 4});
    play(b, {"12345", "98765", "55401"});
    b.decidedAt = at("2013-05-01 12:00:00");
    Plan c = threeStarPlan({1, 2});
    play(c, {"12345", "98765"});
    c.decidedAt = at("2013-05-01 10:30:00");
    Plan d = threeStarPlan({1, 2, 4});
    play(d, {"12345"});
    Plan e = threeStarPlan({1, 2, 4});
    play(e, {"12345"});
    e.stop(at("2013-05-01 10:05:00"));
    std::vector<Plan> plans = {a, b, c, d, e};
    for (std::size_t i = 0; i < plans.size(); ++i)
        plans[i].id = static_cast<std::int64_t>(i) + 1;
    return plans;
}

TEST(PlanSummary, FiguresOfAFixedHistory) {
    const PlanSummary summary = PlanSummary::of(fixedHistory());
    EXPECT_EQ(summary.total, 5);
    EXPECT_EQ(summary.waiting, 1);
    EXPECT_EQ(summary.hits, 1);
    EXPECT_EQ(summary.misses, 2);
    EXPECT_EQ(summary.stopped, 1);
    EXPECT_EQ(formatFigure(summary.successRate), "33.33");
    // Stakes 14 + 14 + 6 + 2 + 2; D still has 4 and 8 to stake, 4 of them on the issue it awaits.
    EXPECT_EQ(formatMoney(summary.stake), "38.000");
    EXPECT_EQ(formatMoney(summary.winnings), "7800.000");
    EXPECT_EQ(formatMoney(summary.profit), "7762.000");
    EXPECT_EQ(formatMoney(summary.committed), "12.000");
    EXPECT_EQ(formatMoney(summary.awaitedStake), "4.000");
    EXPECT_EQ(formatFigure(summary.averageProfit), "1552.40");
    EXPECT_EQ(formatFigure(summary.profitRate), "20426.32");
    // In decision order: C missed, A hit, B missed.
    EXPECT_EQ(summary.longestHits, 1);
    EXPECT_EQ(summary.longestMisses, 1);
    EXPECT_EQ(summary.currentRun, 1);
    EXPECT_FALSE(summary.currentRunHits);
}

TEST(PlanSummary, RunsFollowTheOrderOfDecision) {
    std::vector<Plan> plans = fixedHistory();
    plans[0].decidedAt = at("2013-05-01 13:00:00");  // A now after B: miss, miss, hit
    const PlanSummary summary = PlanSummary::of(plans);
    EXPECT_EQ(summary.longestMisses, 2);
    EXPECT_EQ(summary.currentRun, 1);
    EXPECT_TRUE(summary.currentRunHits);

    const PlanSummary empty = PlanSummary::of({});
    EXPECT_EQ(empty.total, 0);
    EXPECT_EQ(empty.successRate, 0);
    EXPECT_EQ(empty.profitRate, 0);
    EXPECT_EQ(empty.currentRun, 0);
}

TEST(UserFigures, StabilityOverTheChosenPeriod) {
    std::vector<Plan> plans = fixedHistory();
    Plan early = threeStarPlan({1, 1, 1});
    play(early, {"55500"});
    early.decidedAt = at("2013-05-01 12:30:00");
    plans.push_back(early);
    const CivilSeconds now = at("2013-05-01 13:00:00");
    // A hit at 3 of 3: 33.33; B and C missed: 0; the early hit: 100.
    EXPECT_EQ(formatFigure(UserFigures::stabilityOf(plans, UserFigures::kAllPlans, now)), "33.33");
    // The last hour holds only the early hit: B, decided an hour ago, has just left it.
    EXPECT_EQ(formatFigure(UserFigures::stabilityOf(plans, 1, now)), "100.00");
    EXPECT_EQ(formatFigure(UserFigures::stabilityOf(plans, 2, now)), "50.00");
    EXPECT_EQ(formatFigure(UserFigures::stabilityOf(plans, 3, now)), "33.33");
    // Waiting D stands at issue 2 of 3: two thirds of its run are left.
    EXPECT_EQ(formatFigure(UserFigures::stabilityOf(plans, UserFigures::kCurrentPlans, now)),
              "66.67");
    EXPECT_EQ(UserFigures::stabilityOf({}, 24, now), 0);

    const UserFigures figures = UserFigures::of(plans, UserFigures::kAllPlans, now);
    EXPECT_EQ(figures.averageBets, 1);
    EXPECT_EQ(figures.runningIssues, 3);
    EXPECT_EQ(figures.runningReached, 2);
}

TEST(FilterCondition, ReadsTheConditionLanguage) {
    const struct {
        std::string text;
        bool integer;
        double figure;
        bool matches;
    } cases[] = {
        {"等于|5", true, 5, true},
        {"等于|5", true, 6, false},
        {"大于|5", true, 6, true},
        {"大于|5", true, 5, false},
        {"大等于|5", true, 5, true},
        {"小于|5", true, 5, false},
        {"小等于|5", true, 5, true},
        {"大等于|3#小等于|10", true, 3, true},
        {"大等于|3#小等于|10", true, 10, true},
        {"大等于|3#小等于|10", true, 11, false},
        {"大等于|3#小等于|10", true, 2, false},
        {"大等于|-5#小等于|3", true, -5, true},
        {"小于|50.00", false, 49.99, true},
        {"小于|50.00", false, 50, false},
        {"等于|12.35", false, 12.3456, true},
        {"等于|33.33", false, 100.0 / 3, true},
        {"大于|-1.50", false, -1.49, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FilterCondition::parse(c.text, c.integer).matches(c.figure), c.matches)
            << c.text << " " << c.figure;
}

TEST(FilterCondition, RefusesWhatIsNoCondition) {
    for (const char* text : {"", "等于", "等于|", "约等于|5", "等于|5#", "#等于|5", "等于|abc",
                             "等于|+5", "等于|1e5", "等于|5 ", "大于5", "等于|inf"})
        EXPECT_THROW(FilterCondition::parse(text, false), PageError) << text;
    EXPECT_THROW(FilterCondition::parse("等于|1.5", true), PageError);
    EXPECT_NO_THROW(FilterCondition::parse("等于|1.5", false));
}

// A day of 三星单选 (bet space 1000) on 2013-05-01:
//   P1 100 bets, hit in its 2nd issue (024, 025): stake 400, win 1950
//   P2 200 bets, missed over 025 and 026: stake 800
//   P3 waiting in its 2nd issue, played 027
//   P4 900 bets (over 80 % of the space) played 028 and does not count
// Issues 024-027 = 4; success 1 of 2 = 50 %; profit 750 / 1200 = 62.5 %;
// weights 2 × 10 × 10 + 2 × 20 × 10 = 600; bet points 4 × 50 × 62.5 / 600 = 20.833.
TEST(DailyPoints, ScoreAHandWorkedDay) {
    const CivilSeconds day = at("2013-05-01 00:00:00");
    std::string hundred;
    for (int n = 100; n < 200; ++n)
        hundred += std::to_string(n) + " ";
    std::string twoHundred;
    for (int n = 200; n < 400; ++n)
        twoHundred += std::to_string(n) + " ";
    std::string nineHundred;
    for (int n = 100; n < 1000; ++n)
        nineHundred += std::to_string(n) + " ";

    Plan p1 = threeStarPlan({1, 1, 1}, {"123"}, hundred);
    play(p1, {"99999", "15000"});
    Plan p2 = threeStarPlan({1, 1}, {"123"}, twoHundred);
    p2.firstIssue = p2.nextIssue = 130501025;
    p2.nextDrawAt = *LotteryCalendar::drawTime(chongqing(), 130501025);
    play(p2, {"99999", "00000"});
    Plan p3 = threeStarPlan({1, 1, 1});
    p3.firstIssue = p3.nextIssue = 130501027;
    p3.nextDrawAt = *LotteryCalendar::drawTime(chongqing(), 130501027);
    play(p3, {"00000"});
    Plan p4 = threeStarPlan({1}, {"123"}, nineHundred);
    p4.firstIssue = p4.nextIssue = 130501028;
    p4.nextDrawAt = *LotteryCalendar::drawTime(chongqing(), 130501028);
    play(p4, {"00000"});
    ASSERT_EQ(p1.state, PlanState::Hit);
    ASSERT_EQ(p2.state, PlanState::Missed);
    EXPECT_TRUE(DailyPoints::counts(p1));
    EXPECT_FALSE(DailyPoints::counts(p4));

    const DailyPoints points = DailyPoints::of({p1, p2, p3, p4}, day, chongqing());
    EXPECT_EQ(formatFigure(points.betPoints), "20.83");
    EXPECT_EQ(points.rewardPoints, 2.0);

    const DailyPoints nextDay =
        DailyPoints::of({p1, p2, p3, p4}, day + kSecondsPerDay, chongqing());
    EXPECT_EQ(nextDay.betPoints, 0);
    EXPECT_EQ(nextDay.rewardPoints, -2.0);
}

TEST(DailyPoints, HeavyMultiplesDoNotCount) {
    // 800 bets at 2 yuan: (2 / 2) × 6 × 800 = 4800 passes, × 7 = 5600 exceeds 5 × 1000.
    std::string numbers;
    for (int n = 100; n < 900; ++n)
        numbers += std::to_string(n) + " ";
    EXPECT_TRUE(DailyPoints::counts(threeStarPlan({6}, {"123"}, numbers)));
    EXPECT_FALSE(DailyPoints::counts(threeStarPlan({1, 7}, {"123"}, numbers)));
}

TEST(Money, ParsesAndFormatsThousandths) {
    EXPECT_EQ(parseMoney("2"), 2000);
    EXPECT_EQ(parseMoney("0.5"), 500);
    EXPECT_EQ(parseMoney("1950.000"), 1950000);
    EXPECT_EQ(parseMoney("0.001"), 1);
    for (const char* bad :
         {"", ".5", "1.", "1.0001", "-1", "1,000", "1e3", "abc", "99999999999999"})
        EXPECT_EQ(parseMoney(bad), std::nullopt) << bad;
    EXPECT_EQ(formatMoney(-12500), "-12.500");
    EXPECT_EQ(formatMoney(-5), "-0.005");
    EXPECT_EQ(formatMoney(0), "0.000");
    EXPECT_EQ(formatFigure(-0.001), "0.00");
}

TEST(LotteryCalendar, IssueArithmeticRollsOverDaysAndYears) {
    const LotterySchedule& lottery = chongqing();
    EXPECT_EQ(LotteryCalendar::issueAfter(lottery, 130501024, 0), 130501024);
    EXPECT_EQ(LotteryCalendar::issueAfter(lottery, 130501119, 2), 130502001);
    EXPECT_EQ(LotteryCalendar::issueAfter(lottery, 141231119, 2), 150101001);
    EXPECT_EQ(LotteryCalendar::issueAfter(lottery, 130501001, 240), 130503001);
    EXPECT_EQ(formatDateTime(*LotteryCalendar::drawTime(lottery, 130501024)),
              "2013-05-01 10:00:00");
    for (const int bad : {130501000, 130501121, 130229001, 131301001, 1})
        EXPECT_EQ(LotteryCalendar::drawTime(lottery, bad), std::nullopt) << bad;
    EXPECT_EQ(LotteryCalendar::openIssue(lottery, at("2013-05-01 09:15:00")).issue, 130501024);
    EXPECT_EQ(LotteryCalendar::openIssue(lottery, at("2013-05-01 10:00:00")).issue, 130501025);
    EXPECT_EQ(LotteryCalendar::openIssue(lottery, at("2013-05-01 23:59:00")).issue, 130501120);
}

TEST(CivilTime, WeeksStartOnMondayAndMonthsOnTheFirst) {
    EXPECT_EQ(formatDateTime(weekStart(at("2013-05-01 09:15:00"))), "2013-04-29 00:00:00");
    EXPECT_EQ(formatDateTime(weekStart(at("2013-05-05 23:59:59"))), "2013-04-29 00:00:00");
    EXPECT_EQ(formatDateTime(weekStart(at("2013-05-06 00:00:00"))), "2013-05-06 00:00:00");
    EXPECT_EQ(formatDateTime(monthStart(at("2013-03-31 12:00:00"))), "2013-03-01 00:00:00");
    EXPECT_EQ(formatDateTime(*issueDateStart(130501)), "2013-05-01 00:00:00");
    EXPECT_EQ(issueDateStart(130231), std::nullopt);
}

}  // namespace
}  // namespace quorstat::service
