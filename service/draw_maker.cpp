#include "service/draw_maker.h"

#include <algorithm>
#include <random>

#include "service/database.h"
#include "service/lottery_calendar.h"

namespace quorstat::service {

DrawMaker::DrawMaker(Database& db, const LotteryCalendar& calendar, std::uint64_t seed)
    : db_(db), calendar_(calendar), seed_(seed) {}

void DrawMaker::catchUp(CivilSeconds now) {
    if (now == madeUpTo_)
        return;
    // After a start or a clock set back, look over the whole horizon: existing draws stay.
    const CivilSeconds after =
        now < madeUpTo_ ? now - kCatchUpHorizon : std::max(madeUpTo_, now - kCatchUpHorizon);
    Database::Transaction transaction(db_);
    Statement insert = db_.query(
        "INSERT OR IGNORE INTO draws (lottery_id, issue, numbers, draw_at) VALUES (?1, ?2, ?3, "
        "?4)");
    for (const LotterySchedule& lottery : calendar_.lotteries()) {
        for (const ScheduledDraw& draw : LotteryCalendar::drawsBetween(lottery, after, now)) {
            insert.bindAll(lottery.id, draw.issue, digitsFor(seed_, lottery.id, draw.issue),
                           draw.drawAt);
            insert.run();
            insert.reset();
        }
    }
    transaction.commit();
    madeUpTo_ = now;
}

std::string DrawMaker::digitsFor(std::uint64_t seed, int lotteryId, int issue) {
    std::seed_seq sequence{static_cast<std::uint32_t>(seed), static_cast<std::uint32_t>(seed >> 32),
                           static_cast<std::uint32_t>(lotteryId),
                           static_cast<std::uint32_t>(issue)};
    std::mt19937 generator(sequence);
    std::uniform_int_distribution<int> digit(0, 9);
    std::string digits;
    for (int position = 0; position < 5; ++position)
        digits.push_back(static_cast<char>('0' + digit(generator)));
    return digits;
}

}  // namespace quorstat::service
