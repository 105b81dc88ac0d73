#include "service/settlement.h"

#include <vector>

#include "service/change_stamps.h"
#include "service/database.h"
#include "service/lottery_calendar.h"
#include "service/plan.h"
#include "service/plan_bet.h"
#include "service/plan_boards.h"
#include "service/plan_store.h"

namespace quorstat::service {

void Settlement::run(CivilSeconds now) {
    if (now == settledAt_)
        return;
    std::vector<Plan> due = plans_.due(now);
    if (!due.empty()) {
        Database::Transaction transaction(db_);
        const std::string stamp = stamps_.next(now);
        for (Plan& plan : due) {
            settle(plan, now);
            plan.modified = stamp;
            plans_.saveRun(plan);
            boards_.touch(plan.userId, plan.lotteryId, plan.playId, stamp);
        }
        transaction.commit();
    }
    settledAt_ = now;
}

// An issue whose time has passed without a draw (the service was down for longer than draws
// are made up for) ends the plan as stopped: nothing is won or lost on a draw nobody saw.
void Settlement::settle(Plan& plan, CivilSeconds now) {
    const LotterySchedule* lottery = calendar_.find(plan.lotteryId);
    const PlanBet bet = PlanBet::parse(plan.playId, plan.numbers);
    while (plan.state == PlanState::Waiting && plan.nextDrawAt <= now) {
        const std::optional<std::string> draw = drawOf(plan.lotteryId, plan.nextIssue, now);
        if (!draw || lottery == nullptr) {
            plan.stop(plan.nextDrawAt);
            return;
        }
        plan.playIssue(bet, *draw, plan.nextDrawAt, *lottery);
    }
}

std::optional<std::string> Settlement::drawOf(int lotteryId, int issue, CivilSeconds now) {
    Statement row = db_.query(
        "SELECT numbers FROM draws WHERE lottery_id = ?1 AND issue = ?2 AND draw_at <= ?3",
        lotteryId, issue, now);
    if (!row.step())
        return std::nullopt;
    return row.text(0);
}

}  // namespace quorstat::service
