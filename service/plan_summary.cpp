#include "service/plan_summary.h"

#include <algorithm>

#include "service/plan.h"

namespace quorstat::service {
namespace {

double percent(double part, double whole) {
    return whole == 0 ? 0 : part * 100 / whole;
}

std::vector<const Plan*> decidedInOrder(const std::vector<Plan>& plans) {
    std::vector<const Plan*> decided;
    for (const Plan& plan : plans)
        if (plan.state == PlanState::Hit || plan.state == PlanState::Missed)
            decided.push_back(&plan);
    std::sort(decided.begin(), decided.end(), [](const Plan* a, const Plan* b) {
        return std::pair(a->decidedAt.value_or(0), a->id) <
               std::pair(b->decidedAt.value_or(0), b->id);
    });
    return decided;
}

void countRuns(const std::vector<Plan>& plans, PlanSummary& summary) {
    for (const Plan* plan : decidedInOrder(plans)) {
        const bool hit = plan->state == PlanState::Hit;
        if (summary.currentRun == 0 || hit != summary.currentRunHits) {
            summary.currentRun = 0;
            summary.currentRunHits = hit;
        }
        ++summary.currentRun;
        int& longest = hit ? summary.longestHits : summary.longestMisses;
        longest = std::max(longest, summary.currentRun);
    }
}

}  // namespace

PlanSummary PlanSummary::of(const std::vector<Plan>& plans) {
    PlanSummary summary;
    for (const Plan& plan : plans) {
        ++summary.total;
        switch (plan.state) {
            case PlanState::Waiting:
                ++summary.waiting;
                break;
            case PlanState::Hit:
                ++summary.hits;
                break;
            case PlanState::Missed:
                ++summary.misses;
                break;
            case PlanState::Stopped:
                ++summary.stopped;
                break;
        }
        summary.committed += plan.remainingStake();
        summary.awaitedStake += plan.awaitedStake();
        summary.stake += plan.stake;
        summary.winnings += plan.winnings;
        summary.betCountSum += plan.betCount;
    }
    summary.profit = summary.winnings - summary.stake;
    summary.successRate = percent(summary.hits, summary.hits + summary.misses);
    summary.averageProfit =
        summary.total == 0 ? 0
                           : static_cast<double>(summary.profit) / kMilliPerYuan / summary.total;
    summary.profitRate =
        percent(static_cast<double>(summary.profit), static_cast<double>(summary.stake));
    countRuns(plans, summary);
    return summary;
}

}  // namespace quorstat::service
