#include "service/plan_records.h"

#include <algorithm>

#include "service/lottery_calendar.h"
#include "service/lottery_scope.h"
#include "service/plan.h"
#include "service/plan_summary.h"
#include "service/reply_writer.h"
#include "service/tagged_record.h"

namespace quorstat::service {

std::string planRecord(const Plan& plan, const LotteryCalendar& calendar) {
    const LotterySchedule* lottery = calendar.find(plan.lotteryId);
    TaggedRecord record;
    record.add("PID", plan.id)
        .add("UN", plan.userName)
        .add("LTN", lottery ? lottery->name : std::string())
        .add("LTP", playStarName(plan.playId))
        .add("LTT", playKindName(plan.playId))
        .add("POS", plan.positionText())
        .add("HP", plan.hitPositions)
        .add("CP", formatMoney(plan.unitCost))
        .add("BON", formatMoney(plan.prize))
        .add("BM", formatMoney(plan.stake))
        .add("BB", formatMoney(plan.winnings))
        .add("PFT", formatMoney(plan.winnings - plan.stake))
        .add("I1", plan.firstIssue)
        .add("I2", plan.lastIssue)
        .add("INS", plan.issueCount())
        .add("NI", plan.nextIssue)
        .add("NIN", plan.reached)
        .add("BN", plan.betCount)
        .add("PS", static_cast<int>(plan.state))
        .add("MTP", plan.multipleText())
        .add("BT", plan.betTime)
        .add("LMT", plan.modified)
        .add("LC", plan.drawNumbers)
        .add("TXT", plan.numbers);
    return record.text();
}

std::string summaryRecord(const PlanSummary& summary, const std::string& stamp) {
    TaggedRecord record;
    record.add("IM", formatMoney(summary.committed))
        .add("TNM", formatMoney(summary.awaitedStake))
        .add("TM", formatMoney(summary.stake))
        .add("TB", formatMoney(summary.winnings))
        .add("TP", formatMoney(summary.profit))
        .add("PP", formatFigure(summary.averageProfit))
        .add("RBP", formatFigure(summary.profitRate))
        .add("TN", summary.total)
        .add("TNN", summary.waiting)
        .add("TSN", summary.hits)
        .add("TLN", summary.misses)
        .add("TCN", summary.stopped)
        .add("RBS", formatFigure(summary.successRate))
        .add("CH", summary.longestHits)
        .add("CUH", summary.longestMisses)
        .add("CHN", summary.currentRun)
        .add("CHNS", summary.currentRunHits ? 1 : 0)
        .add("LMT", stamp);
    return record.text();
}

std::string planListReply(const std::vector<Plan>& plans, int page, int pageSize,
                          const std::string& stamp, const LotteryCalendar& calendar) {
    const std::size_t total = plans.size();
    const std::size_t first =
        pageSize == 0 ? 0 : std::min(total, static_cast<std::size_t>(page - 1) * pageSize);
    const std::size_t last =
        pageSize == 0 ? total : std::min(total, first + static_cast<std::size_t>(pageSize));
    std::string records = summaryRecord(PlanSummary::of(plans), stamp) + "#";
    for (std::size_t i = first; i < last; ++i)
        records += planRecord(plans[i], calendar) + "$";
    return ReplyWriter('1')
        .field(static_cast<std::int64_t>(total))
        .field(static_cast<std::int64_t>(last - first))
        .field(stamp)
        .field(records)
        .text();
}

}  // namespace quorstat::service
