#include "plan/issue_number.h"

#include <chrono>
#include <cstdint>
#include <optional>

#include "plan/lottery_table.h"

namespace quorstat {

namespace {

using namespace std::chrono;

constexpr int kMaxIssuesPerDay = 999;
constexpr int kFirstYear = 2000;
constexpr int kLastYear = 2099;
// Any shift beyond a century leaves the two-digit years anyway.
constexpr std::int64_t kMaxDayShift = 40000;

struct Issue {
    sys_days date;
    int sequence;
};

std::optional<Issue> decodeIssue(int issue) {
    if (issue <= 0 || issue > 999'999'999) {
        return std::nullopt;
    }
    const int sequence = issue % 1000;
    const int date = issue / 1000;
    const year_month_day ymd{year{kFirstYear + date / 10000}, month(date / 100 % 100),
                             day(date % 100)};
    if (!ymd.ok() || sequence == 0) {
        return std::nullopt;
    }
    return Issue{sys_days{ymd}, sequence};
}

int encodeIssue(const Issue& issue) {
    const year_month_day ymd{issue.date};
    const int y = static_cast<int>(ymd.year());
    if (y < kFirstYear || y > kLastYear) {
        return 0;
    }
    const int date = (y - kFirstYear) * 10000 +
                     static_cast<int>(static_cast<unsigned>(ymd.month())) * 100 +
                     static_cast<int>(static_cast<unsigned>(ymd.day()));
    return date * 1000 + issue.sequence;
}

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    const std::int64_t q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}

// Moves offset issues forward (negative: back), crossing as many days as it takes.
int shiftIssue(int issue, std::int64_t offset, int lotteryId, int issuesPerDay) {
    if (!isListedLottery(lotteryId) || issuesPerDay <= 0 || issuesPerDay > kMaxIssuesPerDay) {
        return 0;
    }
    const std::optional<Issue> start = decodeIssue(issue);
    if (!start) {
        return 0;
    }
    const std::int64_t index = start->sequence - 1 + offset;
    const std::int64_t dayShift = floorDiv(index, issuesPerDay);
    if (dayShift > kMaxDayShift || dayShift < -kMaxDayShift) {
        return 0;
    }
    const int sequence = static_cast<int>(index - dayShift * issuesPerDay) + 1;
    return encodeIssue({start->date + days{dayShift}, sequence});
}

}  // namespace

int LastIssueOfRun(int firstIssue, int count, int lotteryId, int issuesPerDay) {
    if (count < 1) {
        return 0;
    }
    return shiftIssue(firstIssue, std::int64_t{count} - 1, lotteryId, issuesPerDay);
}

int IssueBefore(int issue, int n, int lotteryId, int issuesPerDay) {
    if (n < 0) {
        return 0;
    }
    return shiftIssue(issue, -std::int64_t{n}, lotteryId, issuesPerDay);
}

}  // namespace quorstat
