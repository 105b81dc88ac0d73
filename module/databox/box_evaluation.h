#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "databox/number_set.h"
#include "databox/plan_bigp_data.h"
#include "databox/work_progress.h"
#include "plan/play_state.h"

namespace quorstat {

// Whether an item counts at all: it has numbers and the position filter kept it.
bool TakesPart(const tagPLANBIGPDATA& item);

// Applies node to its parent's counters (one per number of the play, -1 where the number is
// excluded at that level) and returns whether the node took part.
bool EvaluateNode(const tagPLANBIGPDATA& node, std::vector<std::int32_t>& counters,
                  const PlayState& play);

// The numbers the tree passes; nothing when stopped. The items' numbers are read first (in
// parallel, each read kept in its node); that is the part worth a progress report.
std::optional<NumberSet> EvaluateBox(const tagPLANBIGPDATA& root, const PlayState& play,
                                     const WorkProgress& progress = {});

struct BoxResult {
    std::string text;  // ascending, separated by one blank, no blank at the end
    int count = 0;
};

// The box's result as the result area shows it; nothing when stopped. A 组选 play lists only
// numbers with non-decreasing digits, the only form its numbers have.
std::optional<BoxResult> ComputeBox(const tagPLANBIGPDATA& root, const PlayState& play,
                                    const WorkProgress& progress = {});

}  // namespace quorstat
