#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "service/civil_time.h"
#include "service/money.h"

namespace quorstat::service {

class PlanBet;
struct LotterySchedule;

enum class PlanState { Waiting = 0, Hit = 1, Missed = 2, Stopped = 3 };

// What one draw wins on a plan: single bets won and the position sets that won them.
struct DrawResult {
    int wins = 0;
    std::vector<std::string> hitPositions;
};

// One plan and its run. A plan plays its issues one after another: it hits at the first issue
// whose draw wins anything, misses when its last issue passes without a win, and stops when its
// owner stops it. `reached` (NIN) is the ordinal of the issue it waits for or was decided at,
// `nextIssue` (NI) that issue's number.
class Plan {
public:
    std::int64_t id = 0;
    std::int64_t userId = 0;
    std::string userName;
    int lotteryId = 0;
    int playId = 0;
    std::vector<std::string> positions;  // position codes, "12" = 万千
    Milli unitCost = 0;
    Milli prize = 0;
    int firstIssue = 0;
    int lastIssue = 0;
    std::vector<int> multiples;  // one per issue
    std::string numbers;
    int betCount = 0;
    std::string betTime;
    PlanState state = PlanState::Waiting;
    int reached = 1;
    int nextIssue = 0;
    CivilSeconds nextDrawAt = 0;
    Milli stake = 0;     // of the issues drawn so far
    Milli winnings = 0;  // of the hit issue
    std::string hitPositions;
    std::string drawNumbers;  // of the issue that decided the plan
    std::optional<CivilSeconds> decidedAt;
    std::string modified;

    int issueCount() const { return static_cast<int>(multiples.size()); }
    // The stake of the issue with this ordinal (1-based): bets × positions × cost × multiple.
    Milli issueStake(int ordinal) const;
    // The stake of the issue the plan waits for; 0 unless it is waiting.
    Milli awaitedStake() const;
    // The stake of the issues still to come, the awaited one included; 0 unless waiting.
    Milli remainingStake() const;
    // The issues whose draw the plan has played.
    int playedIssues() const;
    bool hasStarted() const { return reached > 1 || state != PlanState::Waiting; }
    // Whether the plan bets on the issue: it has played it, or is running and will play it.
    bool covers(int issue) const;

    DrawResult resultOf(const PlanBet& bet, std::string_view draw) const;

    // Settles the issue the plan waits for with its draw.
    void playIssue(const PlanBet& bet, std::string_view draw, CivilSeconds drawAt,
                   const LotterySchedule& lottery);
    void stop(CivilSeconds now);

    std::string positionText() const;
    std::string multipleText() const;
};

}  // namespace quorstat::service
