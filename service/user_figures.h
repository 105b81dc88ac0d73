#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "service/civil_time.h"
#include "service/plan_summary.h"

namespace quorstat::service {

class Plan;

// One user's row of the user list: his plan summary on a lottery and play and the figures only
// the list shows.
struct UserFigures {
    std::int64_t userId = 0;
    std::string name;
    PlanSummary summary;
    int averageBets = 0;     // AN: bets per plan, rounded
    int runningIssues = 0;   // INS: the longest run among the waiting plans
    int runningReached = 0;  // NIN: the furthest issue a waiting plan has reached
    double stability = 0;    // BF
    bool shares = false;     // SH
    bool followed = false;   // AT
    std::string stamp;       // LMT

    // The user's plans on the board; `factorCycle` chooses the plans the stability looks at.
    static UserFigures of(const std::vector<Plan>& plans, int factorCycle, CivilSeconds now);

    // The stability of a set of plans, 0 to 100: the mean over the plans of the share of its
    // run left when it was decided (100 for a hit in the first issue, 0 for a miss). Cycle 0
    // looks at the waiting plans and the share of their run still ahead; 256 at every plan;
    // any other cycle at the plans decided in that many hours up to `now`.
    static double stabilityOf(const std::vector<Plan>& plans, int factorCycle, CivilSeconds now);

    static constexpr int kCurrentPlans = 0;
    static constexpr int kAllPlans = 256;
};

}  // namespace quorstat::service
