#include "service/plan_store.h"

#include <charconv>

#include "service/database.h"

namespace quorstat::service {
namespace {

constexpr std::string_view kColumns =
    "SELECT p.id, p.user_id, u.name, p.lottery_id, p.play_id, p.positions, p.unit_cost, p.prize, "
    "p.first_issue, p.last_issue, p.multiples, p.numbers, p.bet_count, p.bet_time, p.state, "
    "p.reached, p.next_issue, p.next_draw_at, p.stake, p.winnings, p.hit_positions, "
    "p.draw_numbers, p.decided_at, p.modified FROM plans p JOIN users u ON u.id = p.user_id ";

std::vector<std::string> splitAtCommas(const std::string& text) {
    std::vector<std::string> items;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find(',', start), text.size());
        items.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return items;
}

int toInt(const std::string& text) {
    int value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

Plan readRow(const Statement& row) {
    Plan plan;
    plan.id = row.integer(0);
    plan.userId = row.integer(1);
    plan.userName = row.text(2);
    plan.lotteryId = static_cast<int>(row.integer(3));
    plan.playId = static_cast<int>(row.integer(4));
    plan.positions = splitAtCommas(row.text(5));
    plan.unitCost = row.integer(6);
    plan.prize = row.integer(7);
    plan.firstIssue = static_cast<int>(row.integer(8));
    plan.lastIssue = static_cast<int>(row.integer(9));
    for (const std::string& multiple : splitAtCommas(row.text(10)))
        plan.multiples.push_back(toInt(multiple));
    plan.numbers = row.text(11);
    plan.betCount = static_cast<int>(row.integer(12));
    plan.betTime = row.text(13);
    plan.state = static_cast<PlanState>(row.integer(14));
    plan.reached = static_cast<int>(row.integer(15));
    plan.nextIssue = static_cast<int>(row.integer(16));
    plan.nextDrawAt = row.integer(17);
    plan.stake = row.integer(18);
    plan.winnings = row.integer(19);
    plan.hitPositions = row.text(20);
    plan.drawNumbers = row.text(21);
    if (!row.isNull(22))
        plan.decidedAt = row.integer(22);
    plan.modified = row.text(23);
    return plan;
}

}  // namespace

template <class... Args>
std::vector<Plan> PlanStore::select(const std::string& condition, const Args&... args) {
    Statement rows = db_.query(std::string(kColumns) + condition, args...);
    std::vector<Plan> plans;
    while (rows.step())
        plans.push_back(readRow(rows));
    return plans;
}

std::int64_t PlanStore::insert(const Plan& plan) {
    db_.query(
           "INSERT INTO plans (user_id, lottery_id, play_id, positions, unit_cost, prize, "
           "first_issue, last_issue, multiples, numbers, bet_count, bet_time, next_issue, "
           "next_draw_at, modified) "
           "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15)",
           plan.userId, plan.lotteryId, plan.playId, plan.positionText(), plan.unitCost, plan.prize,
           plan.firstIssue, plan.lastIssue, plan.multipleText(), plan.numbers, plan.betCount,
           plan.betTime, plan.nextIssue, plan.nextDrawAt, plan.modified)
        .run();
    return db_.lastInsertId();
}

std::optional<Plan> PlanStore::find(std::int64_t planId) {
    std::vector<Plan> plans = select("WHERE p.id = ?1 AND p.cleared = 0", planId);
    if (plans.empty())
        return std::nullopt;
    return std::move(plans.front());
}

std::vector<Plan> PlanStore::ofOwner(std::int64_t userId, int lotteryId, int playId) {
    return select(
        "WHERE p.user_id = ?1 AND p.lottery_id = ?2 AND p.play_id = ?3 AND p.cleared = 0 "
        "ORDER BY p.id DESC",
        userId, lotteryId, playId);
}

std::vector<Plan> PlanStore::ofBoard(int lotteryId, int playId) {
    return select("WHERE p.lottery_id = ?1 AND p.play_id = ?2 AND p.cleared = 0 ORDER BY p.id",
                  lotteryId, playId);
}

std::vector<Plan> PlanStore::due(CivilSeconds now) {
    return select("WHERE p.state = 0 AND p.next_draw_at <= ?1 ORDER BY p.id", now);
}

std::vector<Plan> PlanStore::activeBetween(int lotteryId, int playId, CivilSeconds since,
                                           CivilSeconds until) {
    return select(
        "WHERE p.lottery_id = ?1 AND p.play_id = ?2 AND p.bet_time <= ?3 "
        "AND (p.decided_at IS NULL OR p.decided_at >= ?4) ORDER BY p.id",
        lotteryId, playId, formatDateTime(until), since);
}

std::vector<std::pair<int, int>> PlanStore::boards() {
    Statement rows = db_.query("SELECT DISTINCT lottery_id, play_id FROM plans ORDER BY 1, 2");
    std::vector<std::pair<int, int>> result;
    while (rows.step())
        result.emplace_back(static_cast<int>(rows.integer(0)), static_cast<int>(rows.integer(1)));
    return result;
}

std::vector<std::int64_t> PlanStore::participants(int lotteryId, int playId, CivilSeconds until) {
    Statement rows = db_.query(
        "SELECT DISTINCT user_id FROM plans WHERE lottery_id = ?1 AND play_id = ?2 "
        "AND bet_time <= ?3 ORDER BY user_id",
        lotteryId, playId, formatDateTime(until));
    std::vector<std::int64_t> users;
    while (rows.step())
        users.push_back(rows.integer(0));
    return users;
}

std::optional<CivilSeconds> PlanStore::firstBetTime() {
    Statement row = db_.query("SELECT MIN(bet_time) FROM plans");
    if (!row.step() || row.isNull(0))
        return std::nullopt;
    return parseDateTime(row.text(0));
}

void PlanStore::saveRun(const Plan& plan) {
    Statement update = db_.query(
        "UPDATE plans SET state = ?2, reached = ?3, next_issue = ?4, next_draw_at = ?5, "
        "stake = ?6, winnings = ?7, hit_positions = ?8, draw_numbers = ?9, decided_at = ?10, "
        "modified = ?11 WHERE id = ?1",
        plan.id, static_cast<int>(plan.state), plan.reached, plan.nextIssue, plan.nextDrawAt,
        plan.stake, plan.winnings, plan.hitPositions, plan.drawNumbers, nullptr, plan.modified);
    if (plan.decidedAt)
        update.bind(10, *plan.decidedAt);
    update.run();
}

void PlanStore::remove(std::int64_t planId) {
    db_.query("DELETE FROM plans WHERE id = ?1", planId).run();
}

void PlanStore::clear(std::int64_t userId, int lotteryId, int playId) {
    db_.query(
           "UPDATE plans SET cleared = 1 WHERE user_id = ?1 AND lottery_id = ?2 AND play_id = ?3",
           userId, lotteryId, playId)
        .run();
}

}  // namespace quorstat::service
