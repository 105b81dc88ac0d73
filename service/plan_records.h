#pragma once

#include <string>
#include <vector>

namespace quorstat::service {

class LotteryCalendar;
class Plan;
struct PlanSummary;

// The most plans a list page may ask for ("OnePageNum"); 0 asks for all.
constexpr int kMaxPlanPageSize = 100000;

// The plan record: PID=..|UN=..|...|TXT=..|
std::string planRecord(const Plan& plan, const LotteryCalendar& calendar);
// The summary record of a plan list, its stamp as LMT: IM=..|TNM=..|...|LMT=..|
std::string summaryRecord(const PlanSummary& summary, const std::string& stamp);
// 1|TOTAL|COUNT|STAMP|SUMMARY#PLAN$PLAN$...: one page of plans, newest first, with the summary
// of all of them. Page 1 and up; a page size of 0 puts every plan on page 1.
std::string planListReply(const std::vector<Plan>& plans, int page, int pageSize,
                          const std::string& stamp, const LotteryCalendar& calendar);

}  // namespace quorstat::service
