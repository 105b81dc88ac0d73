#include "service/ranking_job.h"

#include <algorithm>
#include <array>
#include <limits>
#include <utility>
#include <vector>

#include "service/daily_points.h"
#include "service/database.h"
#include "service/lottery_calendar.h"
#include "service/plan.h"
#include "service/plan_store.h"

namespace quorstat::service {
namespace {

constexpr const char* kRankedDayKey = "ranked_day";

// The day the job at `now` scores: yesterday from 02:00 on, the day before until then.
CivilSeconds dueDay(CivilSeconds now) {
    const CivilSeconds today = dayStart(now);
    return today - (now - today >= RankingJob::kRunsAt ? 1 : 2) * kSecondsPerDay;
}

struct Periods {
    const char* name;
    RankingJob::Period current;
    RankingJob::Period previous;
};

// Yesterday, last week (Monday to Sunday), last month and everything up to yesterday, each with
// the period before it, for the ranked day `day`.
std::array<Periods, 4> periodsOf(CivilSeconds day) {
    const CivilSeconds today = day + kSecondsPerDay;
    const CivilSeconds week = weekStart(today);
    const CivilSeconds month = monthStart(today);
    const CivilSeconds lastMonth = monthStart(month - kSecondsPerDay);
    const CivilSeconds monthBefore = monthStart(lastMonth - kSecondsPerDay);
    constexpr CivilSeconds kEver = std::numeric_limits<CivilSeconds>::min() / 2;
    return {{
        {"day", {day, day}, {day - kSecondsPerDay, day - kSecondsPerDay}},
        {"week",
         {week - 7 * kSecondsPerDay, week - kSecondsPerDay},
         {week - 14 * kSecondsPerDay, week - 8 * kSecondsPerDay}},
        {"month", {lastMonth, month - kSecondsPerDay}, {monthBefore, lastMonth - kSecondsPerDay}},
        {"total", {kEver, day}, {kEver, day - kSecondsPerDay}},
    }};
}

std::vector<std::pair<std::int64_t, double>> ordered(const std::map<std::int64_t, double>& values) {
    std::vector<std::pair<std::int64_t, double>> entries(values.begin(), values.end());
    std::stable_sort(entries.begin(), entries.end(),
                     [](const auto& a, const auto& b) { return a.second > b.second; });
    return entries;
}

}  // namespace

void RankingJob::runIfDue(CivilSeconds now) {
    const CivilSeconds due = dueDay(now);
    if (due == checkedDay_)
        return;
    const std::optional<CivilSeconds> ranked = rankedDay();
    if (!ranked || *ranked < due) {
        Database::Transaction transaction(db_);
        scoreDays(ranked ? *ranked + kSecondsPerDay : due - kMaxDaysBack * kSecondsPerDay, due);
        rankAll(due);
        transaction.commit();
    }
    checkedDay_ = due;
}

CivilSeconds RankingJob::runNow(CivilSeconds now) {
    const CivilSeconds day = dayStart(now) - kSecondsPerDay;
    Database::Transaction transaction(db_);
    db_.exec("DELETE FROM daily_points");
    scoreDays(day - kMaxDaysBack * kSecondsPerDay, day);
    rankAll(day);
    transaction.commit();
    checkedDay_ = dueDay(now);
    return day;
}

std::optional<CivilSeconds> RankingJob::rankedDay() {
    Statement row = db_.query("SELECT value FROM meta WHERE key = ?1", kRankedDayKey);
    if (!row.step())
        return std::nullopt;
    return parseDateTime(row.text(0));
}

// Days before the first plan score nothing; at most kMaxDaysBack days are scored at once.
void RankingJob::scoreDays(CivilSeconds from, CivilSeconds to) {
    const std::optional<CivilSeconds> firstBet = plans_.firstBetTime();
    if (!firstBet)
        return;
    from = std::max({from, dayStart(*firstBet), to - kMaxDaysBack * kSecondsPerDay});
    for (CivilSeconds day = from; day <= to; day += kSecondsPerDay)
        scoreDay(day);
}

void RankingJob::scoreDay(CivilSeconds day) {
    db_.query("DELETE FROM daily_points WHERE day = ?1", day).run();
    const CivilSeconds last = day + kSecondsPerDay - 1;
    Statement insert = db_.query(
        "INSERT INTO daily_points (lottery_id, play_id, day, user_id, bet_points, reward_points) "
        "VALUES (?1, ?2, ?3, ?4, ?5, ?6)");
    for (const auto& [lotteryId, playId] : plans_.boards()) {
        const LotterySchedule* lottery = calendar_.find(lotteryId);
        if (lottery == nullptr)
            continue;
        std::map<std::int64_t, std::vector<Plan>> active;
        for (Plan& plan : plans_.activeBetween(lotteryId, playId, day, last))
            active[plan.userId].push_back(std::move(plan));
        for (const std::int64_t userId : plans_.participants(lotteryId, playId, last)) {
            const DailyPoints points = DailyPoints::of(active[userId], day, *lottery);
            insert.bindAll(lotteryId, playId, day, userId, points.betPoints, points.rewardPoints);
            insert.run();
            insert.reset();
        }
    }
}

void RankingJob::rankAll(CivilSeconds day) {
    db_.exec("DELETE FROM ranking_entries");
    const std::array<Periods, 4> periods = periodsOf(day);
    Statement boards = db_.query("SELECT DISTINCT lottery_id, play_id FROM daily_points");
    while (boards.step())
        for (const Periods& period : periods)
            rankPoints(static_cast<int>(boards.integer(0)), static_cast<int>(boards.integer(1)),
                       period.name, period.current, period.previous);
    for (std::size_t panel = 0; panel < periods.size(); ++panel) {
        const Periods& period = periods[panel];
        store(kOnline, static_cast<int>(panel), 0, 0, onlineHours(period.current),
              onlineHours(period.previous));
        // The follower lists have no all-time panel.
        if (panel < 3)
            store(kFans, static_cast<int>(panel), 0, 0, followers(period.current),
                  followers(period.previous));
    }
    db_.query(
           "INSERT INTO meta (key, value) VALUES (?1, ?2) "
           "ON CONFLICT (key) DO UPDATE SET value = excluded.value",
           kRankedDayKey, formatDateTime(day))
        .run();
}

// Panels 0, 1 and 2: bet, reward and total points summed over the period.
void RankingJob::rankPoints(int lotteryId, int playId, const char* list, Period current,
                            Period previous) {
    std::array<Values, 3> now;
    std::array<Values, 3> before;
    for (auto [period, values] : {std::pair{current, &now}, std::pair{previous, &before}}) {
        Statement rows = db_.query(
            "SELECT user_id, SUM(bet_points), SUM(reward_points) FROM daily_points "
            "WHERE lottery_id = ?1 AND play_id = ?2 AND day BETWEEN ?3 AND ?4 GROUP BY user_id",
            lotteryId, playId, period.first, period.last);
        while (rows.step()) {
            const double bet = rows.real(1);
            const double reward = rows.real(2);
            (*values)[0][rows.integer(0)] = bet;
            (*values)[1][rows.integer(0)] = reward;
            (*values)[2][rows.integer(0)] = bet + reward;
        }
    }
    for (int panel = 0; panel < 3; ++panel)
        store(list, panel, lotteryId, playId, now[static_cast<std::size_t>(panel)],
              before[static_cast<std::size_t>(panel)]);
}

// Ranks by value, highest first, ties in user order. A user not ranked in the period before
// keeps his rank as the previous one, so he shows no movement.
void RankingJob::store(const char* list, int panel, int lotteryId, int playId,
                       const Values& current, const Values& previous) {
    std::map<std::int64_t, int> previousRanks;
    int rank = 0;
    for (const auto& entry : ordered(previous))
        previousRanks[entry.first] = ++rank;
    Statement insert = db_.query(
        "INSERT INTO ranking_entries (list, panel, lottery_id, play_id, rank, user_id, value, "
        "previous_rank) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8)");
    rank = 0;
    for (const auto& [userId, value] : ordered(current)) {
        ++rank;
        const auto before = previousRanks.find(userId);
        insert.bindAll(list, panel, lotteryId, playId, rank, userId, value,
                       before == previousRanks.end() ? rank : before->second);
        insert.run();
        insert.reset();
    }
}

RankingJob::Values RankingJob::onlineHours(Period period) {
    Statement rows = db_.query(
        "SELECT user_id, SUM(seconds) FROM online_days WHERE day BETWEEN ?1 AND ?2 "
        "GROUP BY user_id HAVING SUM(seconds) > 0",
        period.first, period.last);
    Values hours;
    while (rows.step())
        hours[rows.integer(0)] = static_cast<double>(rows.integer(1)) / 3600;
    return hours;
}

// Followers at the end of the period among the follows that still stand.
RankingJob::Values RankingJob::followers(Period period) {
    Statement rows = db_.query(
        "SELECT followee_id, COUNT(*) FROM follows WHERE followed_at < ?1 GROUP BY followee_id",
        period.last + kSecondsPerDay);
    Values counts;
    while (rows.step())
        counts[rows.integer(0)] = static_cast<double>(rows.integer(1));
    return counts;
}

}  // namespace quorstat::service
