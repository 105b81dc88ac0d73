#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "net/plan_record.h"

namespace quorstat {

// One user of the user list with his statistics for the current lottery and play.
struct tagUSERINFO {
    std::int32_t userInfoId = 0;    // UID
    std::string userName;           // UN
    std::string lotteryName;        // LTN
    std::string starName;           // LTP
    std::string kindName;           // LTT
    std::int32_t shares = 0;        // SH: 1 when he shares his plans
    std::int32_t followed = 0;      // AT: 1 when the logged-in user follows him
    double im = 0;                  // IM
    double averageProfit = 0;       // PP
    double profitRate = 0;          // RBP, percent
    std::int32_t planCount = 0;     // TN
    std::int32_t chasedIssues = 0;  // INS
    std::int32_t runningPlans = 0;  // TNN
    std::int32_t hitPlans = 0;      // TSN
    std::int32_t missedPlans = 0;   // TLN
    std::int32_t stoppedPlans = 0;  // TCN
    std::int32_t averageBets = 0;   // AN
    std::int32_t issueOrdinal = 0;  // NIN
    double successRate = 0;         // RBS, percent
    double stability = 0;           // BF
    std::string lastChange;         // LMT
};

tagUSERINFO ParseUserRecord(std::string_view text);

// "1|TOTAL|COUNT|STAMP|USER$USER$...". Only records ended by "$" are read, at most COUNT of
// them; `count` keeps what the reply announced.
struct UserListReply {
    ListOutcome outcome = ListOutcome::Failed;
    std::int32_t total = 0;
    std::int32_t count = 0;
    std::string stamp;
    std::vector<tagUSERINFO> users;
};

UserListReply ParseUserList(std::string_view reply);

}  // namespace quorstat
