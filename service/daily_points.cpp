#include "service/daily_points.h"

#include <algorithm>
#include <set>

#include "service/lottery_calendar.h"
#include "service/plan.h"
#include "service/plan_bet.h"

namespace quorstat::service {
namespace {

constexpr double kRewardPerIssue = 0.5;
constexpr double kIdlePenalty = -2;

bool decidedWithin(const Plan& plan, CivilSeconds begin, CivilSeconds end) {
    return (plan.state == PlanState::Hit || plan.state == PlanState::Missed) &&
           *plan.decidedAt >= begin && *plan.decidedAt < end;
}

void addIssuesPlayed(const Plan& plan, CivilSeconds begin, CivilSeconds end,
                     const LotterySchedule& lottery, std::set<int>& issues) {
    for (int ordinal = 1; ordinal <= plan.playedIssues(); ++ordinal) {
        const int issue = LotteryCalendar::issueAfter(lottery, plan.firstIssue, ordinal - 1);
        const CivilSeconds drawAt = LotteryCalendar::drawTime(lottery, issue).value_or(0);
        if (drawAt >= begin && drawAt < end)
            issues.insert(issue);
    }
}

}  // namespace

bool DailyPoints::counts(const Plan& plan) {
    const Milli space = PlanBet::betSpace(plan.playId);
    const Milli roundedBets = plan.betCount / 100 * 100;
    const Milli largest = *std::max_element(plan.multiples.begin(), plan.multiples.end());
    return plan.betCount * 10 <= space * 8 &&
           plan.unitCost * largest * roundedBets <= 10 * kMilliPerYuan * space;
}

DailyPoints DailyPoints::of(const std::vector<Plan>& plans, CivilSeconds dayBegin,
                            const LotterySchedule& lottery) {
    const CivilSeconds dayEnd = dayBegin + kSecondsPerDay;
    std::set<int> issues;
    int decided = 0;
    int hits = 0;
    Milli stake = 0;
    Milli profit = 0;
    double weights = 0;
    for (const Plan& plan : plans) {
        if (!counts(plan))
            continue;
        addIssuesPlayed(plan, dayBegin, dayEnd, lottery, issues);
        if (!decidedWithin(plan, dayBegin, dayEnd))
            continue;
        ++decided;
        hits += plan.state == PlanState::Hit;
        stake += plan.stake;
        profit += plan.winnings - plan.stake;
        weights += plan.reached * (100.0 * plan.betCount / PlanBet::betSpace(plan.playId)) * 10;
    }
    DailyPoints points;
    points.rewardPoints =
        issues.empty() ? kIdlePenalty : kRewardPerIssue * static_cast<double>(issues.size());
    if (decided > 0 && stake > 0 && weights > 0) {
        const double successRate = 100.0 * hits / decided;
        const double profitRate = 100.0 * static_cast<double>(profit) / static_cast<double>(stake);
        points.betPoints = static_cast<double>(issues.size()) * successRate * profitRate / weights;
    }
    return points;
}

}  // namespace quorstat::service
