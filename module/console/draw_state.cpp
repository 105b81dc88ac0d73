#include "console/draw_state.h"

#include "console/issue_clock.h"

namespace quorstat {
namespace {

constexpr std::time_t kTableLifetime = 86400;

}  // namespace

void DrawState::storeTable(int lotteryId, DrawTable table) {
    tables_[lotteryId] = std::move(table);
}

bool DrawState::useStoredTable(int lotteryId) {
    const auto stored = tables_.find(lotteryId);
    if (stored == tables_.end())
        return false;
    drawTimes = stored->second.times;
    tableTime = stored->second.tableTime;
    return true;
}

bool DrawState::tableIsFresh() const {
    return !drawTimes.empty() && serverTime - tableTime <= kTableLifetime;
}

DrawState::Recompute DrawState::recompute() {
    if (!serverTimeKnown())
        return Recompute::Waiting;
    const auto times = ComputeIssueTimes(serverTime, drawTimes);
    if (!times)
        return Recompute::Waiting;
    remainingSeconds = times->secondsToDraw - kCloseOffsetSeconds;
    if (times->closedIssue == closedIssue)
        return Recompute::SameIssue;
    closedIssue = times->closedIssue;
    currentIssue = times->currentIssue;
    return Recompute::NewIssue;
}

DrawState::Tick DrawState::countdownTick() {
    --remainingSeconds;
    return {remainingSeconds <= -kCloseOffsetSeconds, remainingSeconds == -kCloseOffsetSeconds};
}

bool DrawState::preDrawWarningDue(std::optional<int> warnAtSeconds) {
    // Server-time corrections can repeat a second; the warning must not.
    if (!warnAtSeconds || remainingSeconds != *warnAtSeconds || warnedIssue_ == currentIssue)
        return false;
    warnedIssue_ = currentIssue;
    return true;
}

std::optional<int> DrawState::issueToPoll() const {
    if (closedIssue == 0)
        return std::nullopt;
    if (!bettingOpen())
        return currentIssue;
    if (lastDrawIssue < closedIssue)
        return closedIssue;
    return std::nullopt;
}

bool DrawState::applyLatestDraw(const Draw& draw) {
    // A repeated or older draw is no news; equal digits in a later issue are.
    if (draw.issue == 0 || draw.numbers.empty() || draw.issue <= lastDrawIssue)
        return false;
    lastDrawIssue = draw.issue;
    lastDrawNumbers = draw.numbers;
    return true;
}

void DrawState::applyHistory(std::span<const Draw> draws) {
    historyIssues.clear();
    historyNumbers.clear();
    for (const Draw& draw : draws) {
        historyIssues.push_back(draw.issue);
        historyNumbers.push_back(draw.numbers);
    }
    if (historyIssues.empty())
        return;
    // The newest draw is shown on its own; without it the list keeps one entry less.
    const std::size_t drop = historyIssues.front() == closedIssue ? 0 : historyIssues.size() - 1;
    historyIssues.erase(historyIssues.begin() + static_cast<std::ptrdiff_t>(drop));
    historyNumbers.erase(historyNumbers.begin() + static_cast<std::ptrdiff_t>(drop));
}

void DrawState::clearLottery() {
    firstDrawSeen = false;
    closedIssue = 0;
    currentIssue = 0;
    lastDrawIssue = 0;
    lastDrawNumbers.clear();
    historyIssues.clear();
    historyNumbers.clear();
    drawTimes.clear();
    tableTime = 0;
    warnedIssue_ = 0;
}

}  // namespace quorstat
