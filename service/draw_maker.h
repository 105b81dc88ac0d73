#pragma once

#include <cstdint>
#include <limits>
#include <string>

#include "service/civil_time.h"

namespace quorstat::service {

class Database;
class LotteryCalendar;

// Makes the draws whose time the clock has passed. The digits of a draw depend only on the seed,
// the lottery and the issue, so a seeded service draws the same numbers however its clock moves.
class DrawMaker {
public:
    // Draws missed while the service was down are made for at most this long back.
    static constexpr CivilSeconds kCatchUpHorizon = 3 * kSecondsPerDay;

    DrawMaker(Database& db, const LotteryCalendar& calendar, std::uint64_t seed);

    void catchUp(CivilSeconds now);

    // Five digits 0-9 as text, for example "30519".
    static std::string digitsFor(std::uint64_t seed, int lotteryId, int issue);

private:
    Database& db_;
    const LotteryCalendar& calendar_;
    std::uint64_t seed_;
    CivilSeconds madeUpTo_ = std::numeric_limits<CivilSeconds>::max();
};

}  // namespace quorstat::service
