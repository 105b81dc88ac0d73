#include "service/plan_boards.h"

#include "service/account_store.h"
#include "service/database.h"

namespace quorstat::service {

bool PlanBoards::isShared(std::int64_t userId, int lotteryId, int playId) {
    Statement row = db_.query(
        "SELECT share FROM plan_boards WHERE user_id = ?1 AND lottery_id = ?2 AND play_id = ?3",
        userId, lotteryId, playId);
    return row.step() && row.integer(0) != 0;
}

bool PlanBoards::visibleTo(const SessionUser& viewer, std::int64_t ownerId, int lotteryId,
                           int playId) {
    return ownerId == viewer.id || viewer.manager || isShared(ownerId, lotteryId, playId);
}

void PlanBoards::setShared(std::int64_t userId, int lotteryId, int playId, bool shared,
                           const std::string& stamp) {
    touch(userId, lotteryId, playId, stamp);
    db_.query(
           "UPDATE plan_boards SET share = ?4 WHERE user_id = ?1 AND lottery_id = ?2 "
           "AND play_id = ?3",
           userId, lotteryId, playId, shared)
        .run();
}

std::string PlanBoards::ownerStamp(std::int64_t userId, int lotteryId, int playId) {
    Statement row = db_.query(
        "SELECT stamp FROM plan_boards WHERE user_id = ?1 AND lottery_id = ?2 AND play_id = ?3",
        userId, lotteryId, playId);
    return row.step() ? row.text(0) : std::string();
}

std::string PlanBoards::boardStamp(int lotteryId, int playId) {
    Statement row = db_.query(
        "SELECT stamp FROM board_stamps WHERE lottery_id = ?1 AND play_id = ?2", lotteryId, playId);
    return row.step() ? row.text(0) : std::string();
}

void PlanBoards::touch(std::int64_t userId, int lotteryId, int playId, const std::string& stamp) {
    db_.query(
           "INSERT INTO plan_boards (user_id, lottery_id, play_id, stamp) VALUES (?1, ?2, ?3, ?4) "
           "ON CONFLICT (user_id, lottery_id, play_id) DO UPDATE SET stamp = excluded.stamp",
           userId, lotteryId, playId, stamp)
        .run();
    db_.query(
           "INSERT INTO board_stamps (lottery_id, play_id, stamp) VALUES (?1, ?2, ?3) "
           "ON CONFLICT (lottery_id, play_id) DO UPDATE SET stamp = excluded.stamp",
           lotteryId, playId, stamp)
        .run();
}

}  // namespace quorstat::service
