#pragma once

#include <vector>

#include "service/plan.h"

namespace quorstat::service {

struct LotteryScope;
struct PageRequest;

// A plan upload read and checked field by field; any field that is wrong throws PageError and
// nothing is stored. With "BetByLocation=1" every position becomes a plan of its own.
struct PlanUpload {
    std::vector<Plan> plans;
    bool share = false;
    int pageSize = 0;

    static PlanUpload read(const PageRequest& request, const LotteryScope& scope);
};

}  // namespace quorstat::service
