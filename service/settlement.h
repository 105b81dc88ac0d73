#pragma once

#include <limits>
#include <optional>
#include <string>

#include "service/civil_time.h"

namespace quorstat::service {

class ChangeStamps;
class Database;
class LotteryCalendar;
class Plan;
class PlanBoards;
class PlanStore;

// Settles the waiting plans against the draws as the clock passes their draw times. A plan
// plays every issue that has been drawn, so one call catches up however far the clock moved.
class Settlement {
public:
    Settlement(Database& db, const LotteryCalendar& calendar, PlanStore& plans, PlanBoards& boards,
               ChangeStamps& stamps)
        : db_(db), calendar_(calendar), plans_(plans), boards_(boards), stamps_(stamps) {}

    void run(CivilSeconds now);

private:
    void settle(Plan& plan, CivilSeconds now);
    std::optional<std::string> drawOf(int lotteryId, int issue, CivilSeconds now);

    Database& db_;
    const LotteryCalendar& calendar_;
    PlanStore& plans_;
    PlanBoards& boards_;
    ChangeStamps& stamps_;
    CivilSeconds settledAt_ = std::numeric_limits<CivilSeconds>::min();
};

}  // namespace quorstat::service
