#pragma once

#include <cstdint>
#include <string>

namespace quorstat::service {

class Database;
struct SessionUser;

// What a user has per lottery and play besides his plans: whether he shares them, and the stamp
// of his plan list. Every change there also renews the stamp of the board's user list.
class PlanBoards {
public:
    explicit PlanBoards(Database& db) : db_(db) {}

    bool isShared(std::int64_t userId, int lotteryId, int playId);
    // A user sees his own plans, managers see everybody's, others only shared ones.
    bool visibleTo(const SessionUser& viewer, std::int64_t ownerId, int lotteryId, int playId);
    void setShared(std::int64_t userId, int lotteryId, int playId, bool shared,
                   const std::string& stamp);
    // "" until the first change.
    std::string ownerStamp(std::int64_t userId, int lotteryId, int playId);
    std::string boardStamp(int lotteryId, int playId);
    void touch(std::int64_t userId, int lotteryId, int playId, const std::string& stamp);

private:
    Database& db_;
};

}  // namespace quorstat::service
