#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "service/civil_time.h"

namespace quorstat::service {

struct LotterySchedule {
    int id = 0;
    std::string name;
    // Seconds from the start of the lottery day, ascending; draws after midnight belong to the
    // day they follow, so offsets may pass 24:00 (but the table spans less than a day).
    std::vector<CivilSeconds> drawOffsets;
};

struct ScheduledDraw {
    int issue = 0;  // YYMMDDNNN of the lottery day
    CivilSeconds drawAt = 0;
};

// The six lotteries with their draw-time tables.
class LotteryCalendar {
public:
    static LotteryCalendar standard();
    // Every lottery draws every two minutes, all day: something happens while one watches.
    static LotteryCalendar demo();

    // A copy whose tables are replaced by those of `text`, one lottery per line: its id, then
    // draw times "HH:MM[:SS]" and runs "HH:MM-HH:MM/MINUTES"; a time past 24:00 falls on the
    // next morning; "#" starts a comment. Throws std::invalid_argument naming the line.
    LotteryCalendar withTables(std::string_view text) const;

    const std::vector<LotterySchedule>& lotteries() const { return lotteries_; }
    const LotterySchedule* find(int id) const;
    const LotterySchedule* findByName(std::string_view name) const;

    // Draws of one lottery with after < drawAt <= upTo, oldest first.
    static std::vector<ScheduledDraw> drawsBetween(const LotterySchedule& lottery,
                                                   CivilSeconds after, CivilSeconds upTo);

    // The draw time of issue YYMMDDNNN; nothing when the lottery has no such issue.
    static std::optional<CivilSeconds> drawTime(const LotterySchedule& lottery, int issue);
    // The issue `steps` issues after an existing issue, rolling over into the following days.
    static int issueAfter(const LotterySchedule& lottery, int issue, int steps);
    // The first issue drawn after `now`: the one open for betting.
    static ScheduledDraw openIssue(const LotterySchedule& lottery, CivilSeconds now);

private:
    explicit LotteryCalendar(std::vector<LotterySchedule> lotteries);

    std::vector<LotterySchedule> lotteries_;
};

}  // namespace quorstat::service
