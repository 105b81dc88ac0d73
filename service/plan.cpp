#include "service/plan.h"

#include "service/lottery_calendar.h"
#include "service/plan_bet.h"

namespace quorstat::service {
namespace {

std::string joined(const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items)
        text += (text.empty() ? "" : ",") + item;
    return text;
}

}  // namespace

Milli Plan::issueStake(int ordinal) const {
    return static_cast<Milli>(betCount) * static_cast<Milli>(positions.size()) * unitCost *
           multiples[static_cast<std::size_t>(ordinal - 1)];
}

Milli Plan::awaitedStake() const {
    return state == PlanState::Waiting ? issueStake(reached) : 0;
}

Milli Plan::remainingStake() const {
    if (state != PlanState::Waiting)
        return 0;
    Milli total = 0;
    for (int ordinal = reached; ordinal <= issueCount(); ++ordinal)
        total += issueStake(ordinal);
    return total;
}

int Plan::playedIssues() const {
    return state == PlanState::Hit || state == PlanState::Missed ? reached : reached - 1;
}

bool Plan::covers(int issue) const {
    switch (state) {
        case PlanState::Waiting:
            return issue >= firstIssue && issue <= lastIssue;
        case PlanState::Stopped:
            return issue >= firstIssue && issue < nextIssue;
        case PlanState::Hit:
        case PlanState::Missed:
            break;
    }
    return issue >= firstIssue && issue <= nextIssue;
}

DrawResult Plan::resultOf(const PlanBet& bet, std::string_view draw) const {
    DrawResult result;
    for (const std::string& code : positions) {
        const int won = bet.winningBets(draw, code);
        if (won > 0)
            result.hitPositions.push_back(code);
        result.wins += won;
    }
    return result;
}

void Plan::playIssue(const PlanBet& bet, std::string_view draw, CivilSeconds drawAt,
                     const LotterySchedule& lottery) {
    stake += issueStake(reached);
    const DrawResult result = resultOf(bet, draw);
    if (result.wins > 0 || reached == issueCount()) {
        state = result.wins > 0 ? PlanState::Hit : PlanState::Missed;
        winnings = prize * multiples[static_cast<std::size_t>(reached - 1)] * result.wins;
        hitPositions = joined(result.hitPositions);
        drawNumbers = std::string(draw);
        decidedAt = drawAt;
        return;
    }
    ++reached;
    nextIssue = LotteryCalendar::issueAfter(lottery, nextIssue, 1);
    nextDrawAt = LotteryCalendar::drawTime(lottery, nextIssue).value_or(nextDrawAt);
}

void Plan::stop(CivilSeconds now) {
    state = PlanState::Stopped;
    decidedAt = now;
}

std::string Plan::positionText() const {
    return joined(positions);
}

std::string Plan::multipleText() const {
    std::vector<std::string> texts;
    for (const int multiple : multiples)
        texts.push_back(std::to_string(multiple));
    return joined(texts);
}

}  // namespace quorstat::service
