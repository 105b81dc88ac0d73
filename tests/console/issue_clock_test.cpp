#include "console/issue_clock.h"

#include <gtest/gtest.h>

#include <vector>

#include "local_time.h"

namespace quorstat {
namespace {

using test::LocalTime;

struct ClockCase {
    const char* what;
    std::vector<int> table;
    std::time_t now;
    int closedIssue;
    int currentIssue;
    int secondsToDraw;
};

const std::vector<int> kMorning{91000, 92000, 93000};
// Runs past midnight: the lottery day that began yesterday still has draws at 01:00 and 02:00.
const std::vector<int> kPastMidnight{101000, 120000, 235000, 240000, 10000, 20000};
// Starts right after midnight and ends with a draw at midnight.
const std::vector<int> kMidnightEnd{500, 1000, 100000, 240000};

TEST(ComputeIssueTimes, FollowsTheTableThroughTheDay) {
    const ClockCase cases[] = {
        {"between draws", kMorning, LocalTime(2013, 5, 1, 9, 15, 0), 130501001, 130501002, 300},
        {"on a draw time", kMorning, LocalTime(2013, 5, 1, 9, 20, 0), 130501002, 130501003, 600},
        {"at the last draw", kMorning, LocalTime(2013, 5, 1, 9, 30, 0), 130501003, 130502001,
         85200},
        {"after the last draw", kMorning, LocalTime(2013, 5, 1, 23, 59, 59), 130501003, 130502001,
         33001},
        {"before the first draw", kMorning, LocalTime(2013, 5, 1, 8, 0, 0), 130430003, 130501001,
         4200},
        {"new year's morning", kMorning, LocalTime(2014, 1, 1, 8, 0, 0), 131231003, 140101001,
         4200},
        {"end of a leap february", kMorning, LocalTime(2016, 2, 29, 22, 0, 0), 160229003, 160301001,
         40200},
        {"after midnight, draws still ahead", kPastMidnight, LocalTime(2013, 5, 1, 1, 30, 0),
         130430005, 130430006, 1800},
        {"just after midnight", kPastMidnight, LocalTime(2013, 5, 1, 0, 30, 0), 130430004,
         130430005, 1800},
        {"after the night's last draw", kPastMidnight, LocalTime(2013, 5, 1, 3, 0, 0), 130430006,
         130501001, 25800},
        {"late evening", kPastMidnight, LocalTime(2013, 5, 1, 23, 55, 0), 130501003, 130501004,
         300},
        {"before the midnight draw", kMidnightEnd, LocalTime(2013, 5, 1, 23, 58, 0), 130501003,
         130501004, 120},
        {"after the midnight draw", kMidnightEnd, LocalTime(2013, 5, 2, 0, 3, 0), 130501004,
         130502001, 120},
        {"at midnight", kMidnightEnd, LocalTime(2013, 5, 2, 0, 0, 0), 130501004, 130502001, 300},
        {"one draw a day, before it",
         {120000},
         LocalTime(2013, 5, 1, 8, 0, 0),
         130430001,
         130501001,
         14400},
        {"one draw a day, after it",
         {120000},
         LocalTime(2013, 5, 1, 13, 0, 0),
         130501001,
         130502001,
         82800},
    };
    for (const ClockCase& c : cases) {
        SCOPED_TRACE(c.what);
        const auto times = ComputeIssueTimes(c.now, c.table);
        ASSERT_TRUE(times);
        EXPECT_EQ(times->closedIssue, c.closedIssue);
        EXPECT_EQ(times->currentIssue, c.currentIssue);
        EXPECT_EQ(times->secondsToDraw, c.secondsToDraw);
    }
}

TEST(ComputeIssueTimes, NeedsATable) {
    EXPECT_FALSE(ComputeIssueTimes(LocalTime(2013, 5, 1, 9, 15, 0), {}));
}

TEST(FormatCountdown, DropsAZeroHourOnly) {
    const std::pair<int, const char*> cases[] = {
        {0, "00:00"},       {59, "00:59"},      {75, "01:15"},       {3599, "59:59"},
        {3600, "01:00:00"}, {3725, "01:02:05"}, {85200, "23:40:00"}, {-5, "00:00"},
    };
    for (const auto& [seconds, text] : cases)
        EXPECT_EQ(FormatCountdown(seconds), text) << seconds;
}

}  // namespace
}  // namespace quorstat
