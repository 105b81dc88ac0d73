#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "net/reply_text.h"

namespace quorstat {

// One plan as the service reports it.
struct tagPLANITEM {
    std::int32_t planId = 0;        // PID
    std::string userName;           // UN
    std::string lotteryName;        // LTN
    std::string starName;           // LTP
    std::string kindName;           // LTT
    std::string positions;          // POS, comma-separated position codes
    std::string hitPositions;       // HP
    double unitCost = 0;            // CP
    double prize = 0;               // BON
    double betAmount = 0;           // BM
    double prizeAmount = 0;         // BB
    double profit = 0;              // PFT
    std::int32_t firstIssue = 0;    // I1
    std::int32_t lastIssue = 0;     // I2
    std::int32_t issueCount = 0;    // INS
    std::int32_t ni = 0;            // NI
    std::int32_t issueOrdinal = 0;  // NIN
    std::int32_t betCount = 0;      // BN
    std::int32_t status = 0;        // PS: 0 waiting, 1 hit, 2 missed, 3 stopped
    std::string multiples;          // MTP
    std::string betTime;            // BT
    std::string modified;           // LMT
    std::string drawCode;           // LC
    std::string numbers;            // TXT
};

// The listed user's totals for the current lottery and play.
struct PlanSummary {
    double im = 0;                    // IM
    double runningStake = 0;          // TNM
    double totalStake = 0;            // TM
    double totalPrize = 0;            // TB
    double totalProfit = 0;           // TP
    double averageProfit = 0;         // PP
    double profitRate = 0;            // RBP, percent
    std::int32_t planCount = 0;       // TN
    std::int32_t runningPlans = 0;    // TNN
    std::int32_t hitPlans = 0;        // TSN
    std::int32_t missedPlans = 0;     // TLN
    std::int32_t stoppedPlans = 0;    // TCN
    double successRate = 0;           // RBS, percent
    std::int32_t longestHitRun = 0;   // CH
    std::int32_t longestMissRun = 0;  // CUH
    std::int32_t currentRun = 0;      // CHN
    std::int32_t currentRunKind = 1;  // CHNS: 1 hits, otherwise misses
    std::string stamp;                // LMT
};

// The plan-detail reply writes the bet count with thousands separators, the lists do not.
enum class PlanRecordSource { List, Detail };

tagPLANITEM ParsePlanRecord(std::string_view text,
                            PlanRecordSource source = PlanRecordSource::List);
PlanSummary ParseSummaryRecord(std::string_view text);

// "1|TOTAL|COUNT|X|SUMMARY#PLAN$PLAN$...": own plans, shared plans, and the replies of upload,
// stop and delete. At most COUNT plans are read, however many the reply claims or holds.
struct PlanListReply {
    ListOutcome outcome = ListOutcome::Failed;
    std::int32_t total = 0;
    std::int32_t count = 0;
    std::string stamp;
    PlanSummary summary;
    std::vector<tagPLANITEM> plans;
};

PlanListReply ParsePlanList(std::string_view reply);

// "1|N|X|PLAN$...": the plans only when N reads as 1.
std::vector<tagPLANITEM> ParsePlanDetail(std::string_view reply);

}  // namespace quorstat
