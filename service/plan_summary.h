#pragma once

#include <vector>

#include "service/money.h"

namespace quorstat::service {

class Plan;

// The figures of one user's plans on one lottery and play (the summary record of a plan list).
struct PlanSummary {
    int total = 0;    // TN
    int waiting = 0;  // TNN
    int hits = 0;     // TSN
    int misses = 0;   // TLN
    int stopped = 0;  // TCN
    // TSN / (TSN + TLN) in percent: stopped plans were decided by nobody's draw.
    double successRate = 0;      // RBS
    Milli committed = 0;         // IM: what the waiting plans still have to stake
    Milli awaitedStake = 0;      // TNM: the stakes of the issues the waiting plans wait for
    Milli stake = 0;             // TM: the stakes of every issue drawn
    Milli winnings = 0;          // TB
    Milli profit = 0;            // TP = TB - TM
    double averageProfit = 0;    // PP = TP / TN, in yuan
    double profitRate = 0;       // RBP = TP / TM in percent
    int longestHits = 0;         // CH
    int longestMisses = 0;       // CUH
    int currentRun = 0;          // CHN
    bool currentRunHits = true;  // CHNS
    long betCountSum = 0;        // Σ BN, for the average bet count

    // Runs are counted over the hit and missed plans in the order they were decided.
    static PlanSummary of(const std::vector<Plan>& plans);
};

}  // namespace quorstat::service
