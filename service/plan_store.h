#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "service/civil_time.h"
#include "service/plan.h"

namespace quorstat::service {

class Database;

// The plans table. Cleared plans are hidden from their owner but stay for the rankings.
class PlanStore {
public:
    explicit PlanStore(Database& db) : db_(db) {}

    std::int64_t insert(const Plan& plan);
    // A plan that has not been cleared.
    std::optional<Plan> find(std::int64_t planId);
    // The owner's plans on one lottery and play, newest first.
    std::vector<Plan> ofOwner(std::int64_t userId, int lotteryId, int playId);
    // Everybody's plans on one lottery and play, oldest first.
    std::vector<Plan> ofBoard(int lotteryId, int playId);
    // Waiting plans whose next draw time has come, oldest first.
    std::vector<Plan> due(CivilSeconds now);
    // Plans of one lottery and play, cleared ones included, placed by `until` and not decided
    // before `since`: those that may have played an issue between the two.
    std::vector<Plan> activeBetween(int lotteryId, int playId, CivilSeconds since,
                                    CivilSeconds until);
    // The lotteries and plays anybody has placed a plan on.
    std::vector<std::pair<int, int>> boards();
    // The users who placed a plan on the lottery and play by `until`, cleared ones included.
    std::vector<std::int64_t> participants(int lotteryId, int playId, CivilSeconds until);
    // The service time the first plan was placed at.
    std::optional<CivilSeconds> firstBetTime();

    // Writes the run of a plan: state, progress, money and result.
    void saveRun(const Plan& plan);
    void remove(std::int64_t planId);
    void clear(std::int64_t userId, int lotteryId, int playId);

private:
    template <class... Args>
    std::vector<Plan> select(const std::string& condition, const Args&... args);

    Database& db_;
};

}  // namespace quorstat::service
