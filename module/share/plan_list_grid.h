#pragma once

#include <cstddef>
#include <vector>

#include "net/plan_record.h"
#include "ui/grid_content.h"

namespace quorstat {

// Columns of a plan list, as the own-plan list and the shared-plan list show them.
inline constexpr std::size_t kPlanDetailColumn = 13;  // "详情", the link "查看"
inline constexpr std::size_t kPlanColumnCount = 14;

// One row per plan in the order given. Rows count down from `topNumber` (the records of the reply
// plus those of the pages before it); positions are named for `lotteryId`, and left out for a
// five-star play.
GridContent PlanListGrid(const std::vector<tagPLANITEM>& plans, int topNumber, int lotteryId,
                         int starCount);

}  // namespace quorstat
