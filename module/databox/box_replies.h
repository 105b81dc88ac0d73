#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorstat {

inline constexpr std::string_view kPlanReplyError = "获取用户最新方案失败！";

// A user's plan as "BetPlanContext.asp" reports it: "1|ISSUE|UID=..|PID=..|IS=..|POS=..|TXT=..|",
// without TXT when only the positions were asked for, and with UID alone when there is no plan.
struct PlanContent {
    std::int32_t userId = 0;
    std::int32_t planId = 0;
    std::int32_t issue = 0;
    std::optional<std::string> positions;  // names; absent or empty when the user has no plan
    std::optional<std::string> numbers;

    bool hasPositions() const { return positions && !positions->empty(); }
    bool hasNumbers() const { return numbers && !numbers->empty(); }
};

// Nothing when the reply failed or breaks the form (the error text is kPlanReplyError).
std::optional<PlanContent> ParsePlanReply(std::string_view reply, int lotteryId);

// One record of "BetPlanStatus.asp": "POS=CODES|ID=STATE".
struct PlanState {
    std::int32_t id = 0;
    std::int32_t state = 0;  // 1 hit, 2 miss; 4 when the issue is not drawn yet
    std::string positions;   // names
};

// "1|ISSUE|RECORD$RECORD$..."; nothing unless the status is "1". Records without "=" are skipped.
std::optional<std::vector<PlanState>> ParseStatusReply(std::string_view reply, int lotteryId);

}  // namespace quorstat
