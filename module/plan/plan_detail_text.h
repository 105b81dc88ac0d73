#pragma once

#include <array>
#include <string>

#include "net/plan_record.h"

namespace quorstat {

// The nine lines of the plan detail dialog, top to bottom; the numbers themselves (TXT) go into
// the field under the last line.
std::array<std::string, 9> PlanDetailLines(const tagPLANITEM& plan);

}  // namespace quorstat
