#include "service/user_figures.h"

#include <algorithm>
#include <cmath>

#include "service/plan.h"

namespace quorstat::service {
namespace {

// The share of the run left at the issue the plan stands at, that issue included.
double runLeft(const Plan& plan) {
    return 100.0 * (plan.issueCount() - plan.reached + 1) / plan.issueCount();
}

bool counts(const Plan& plan, int factorCycle, CivilSeconds now) {
    if (factorCycle == UserFigures::kCurrentPlans)
        return plan.state == PlanState::Waiting;
    if (plan.state != PlanState::Hit && plan.state != PlanState::Missed)
        return false;
    return factorCycle == UserFigures::kAllPlans ||
           *plan.decidedAt > now - static_cast<CivilSeconds>(factorCycle) * 3600;
}

}  // namespace

UserFigures UserFigures::of(const std::vector<Plan>& plans, int factorCycle, CivilSeconds now) {
    UserFigures figures;
    figures.summary = PlanSummary::of(plans);
    if (figures.summary.total > 0)
        figures.averageBets = static_cast<int>(
            std::lround(static_cast<double>(figures.summary.betCountSum) / figures.summary.total));
    for (const Plan& plan : plans) {
        if (plan.state != PlanState::Waiting)
            continue;
        figures.runningIssues = std::max(figures.runningIssues, plan.issueCount());
        figures.runningReached = std::max(figures.runningReached, plan.reached);
    }
    figures.stability = stabilityOf(plans, factorCycle, now);
    return figures;
}

double UserFigures::stabilityOf(const std::vector<Plan>& plans, int factorCycle, CivilSeconds now) {
    double sum = 0;
    int count = 0;
    for (const Plan& plan : plans) {
        if (!counts(plan, factorCycle, now))
            continue;
        sum += plan.state == PlanState::Missed ? 0 : runLeft(plan);
        ++count;
    }
    return count == 0 ? 0 : sum / count;
}

}  // namespace quorstat::service
