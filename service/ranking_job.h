#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "service/civil_time.h"

namespace quorstat::service {

class Database;
class LotteryCalendar;
class PlanStore;

// The daily ranking job. At 02:00 of the service clock it scores the day before for every
// lottery and play (catching up days it missed) and ranks the points, online-time and follower
// lists; the ranking pages only read what it wrote. A day is a service-clock day.
class RankingJob {
public:
    static constexpr CivilSeconds kRunsAt = 2 * 3600;
    static constexpr int kMaxDaysBack = 366;

    // The lists and their panels as stored.
    static constexpr const char* kOnline = "online";  // panels: day, week, month, total
    static constexpr const char* kFans = "fans";      // panels: day, week, month
    // Points lists are named by their period: "day", "week", "month", "total"; panels: bet,
    // reward, total points.

    RankingJob(Database& db, const LotteryCalendar& calendar, PlanStore& plans)
        : db_(db), calendar_(calendar), plans_(plans) {}

    void runIfDue(CivilSeconds now);
    // Scores every day again up to yesterday and ranks at once; returns the day ranked.
    CivilSeconds runNow(CivilSeconds now);

    // The last day the lists cover, if the job has run.
    std::optional<CivilSeconds> rankedDay();

    // Days from `first` to `last`, each given by its first second.
    struct Period {
        CivilSeconds first;
        CivilSeconds last;
    };

private:
    using Values = std::map<std::int64_t, double>;

    void scoreDays(CivilSeconds from, CivilSeconds to);
    void scoreDay(CivilSeconds day);
    void rankAll(CivilSeconds day);
    void rankPoints(int lotteryId, int playId, const char* list, Period current, Period previous);
    void store(const char* list, int panel, int lotteryId, int playId, const Values& current,
               const Values& previous);
    Values onlineHours(Period period);
    Values followers(Period period);

    Database& db_;
    const LotteryCalendar& calendar_;
    PlanStore& plans_;
    CivilSeconds checkedDay_ = 0;
};

}  // namespace quorstat::service
