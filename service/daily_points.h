#pragma once

#include <vector>

#include "service/civil_time.h"

namespace quorstat::service {

class Plan;
struct LotterySchedule;

// One user's points on one lottery and play for one day, following the published rules:
//   bet points    = issues × success rate × profit rate / Σ bet weights
//   reward points = 0.5 per issue, or -2 for a day without any
// where issues are the distinct issues drawn that day on which the user had a counted plan,
// success and profit rate (in percent) are taken over the counted plans hit or missed that day,
// and a plan's bet weight is the ordinal it was decided at × its bets in percent of the play's
// bet space × 10. Only plans that pass `counts` take part; cleared plans do.
struct DailyPoints {
    double betPoints = 0;
    double rewardPoints = 0;

    // The user's plans that may have played that day; `dayBegin` is the day's first second.
    static DailyPoints of(const std::vector<Plan>& plans, CivilSeconds dayBegin,
                          const LotterySchedule& lottery);

    // At most 80 % of the bet space, and (cost / 2) × largest multiple × bets rounded down to
    // hundreds at most 5 × the bet space: wide nets and heavy multiples score nothing.
    static bool counts(const Plan& plan);
};

}  // namespace quorstat::service
