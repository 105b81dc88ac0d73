#include "console/issue_clock.h"

#include <fmt/format.h>

#include <algorithm>
#include <chrono>

namespace quorstat {
namespace {

constexpr int kMidnight = 240000;
constexpr int kSecondsPerDay = 86400;

int secondsOfDay(int hhmmss) {
    return hhmmss / 10000 * 3600 + hhmmss / 100 % 100 * 60 + hhmmss % 100;
}

struct LocalMoment {
    std::chrono::sys_days day;
    int timeOfDay = 0;  // HHMMSS
};

LocalMoment localMoment(std::time_t time) {
    std::tm local{};
    localtime_r(&time, &local);
    const std::chrono::year_month_day date{std::chrono::year(local.tm_year + 1900),
                                           std::chrono::month(unsigned(local.tm_mon + 1)),
                                           std::chrono::day(unsigned(local.tm_mday))};
    return {std::chrono::sys_days(date), local.tm_hour * 10000 + local.tm_min * 100 + local.tm_sec};
}

// YYMMDD000 plus the sequence number.
int issueOf(std::chrono::sys_days day, int sequence) {
    const std::chrono::year_month_day date(day);
    const int yymmdd = (int(date.year()) % 100) * 10000 + int(unsigned(date.month())) * 100 +
                       int(unsigned(date.day()));
    return yymmdd * 1000 + sequence;
}

// Before the table's first draw time the last draws of the previous lottery day may still be
// ahead (tables that run past midnight); the walk back finds how many.
IssueTimes beforeFirstDraw(const LocalMoment& now, std::span<const int> drawTimes) {
    const int count = static_cast<int>(drawTimes.size());
    int ahead = 0;
    for (int i = count - 1; i >= 0; --i) {
        const int entry = drawTimes[i] == kMidnight ? 0 : drawTimes[i];
        if (now.timeOfDay >= entry)
            break;
        ++ahead;
    }
    const int passed = count - ahead == 0 ? count : count - ahead;
    const auto yesterday = now.day - std::chrono::days(1);
    IssueTimes times;
    times.closedIssue = issueOf(yesterday, passed);
    // After the previous day's last draw the new day starts with its first issue.
    times.currentIssue = passed == count ? issueOf(now.day, 1) : issueOf(yesterday, passed + 1);
    const int nextDraw = ahead > 0 ? drawTimes[count - ahead] : drawTimes[0];
    times.secondsToDraw = secondsOfDay(nextDraw) - secondsOfDay(now.timeOfDay);
    return times;
}

}  // namespace

std::optional<IssueTimes> ComputeIssueTimes(std::time_t serverTime,
                                            std::span<const int> drawTimes) {
    if (drawTimes.empty())
        return std::nullopt;
    const LocalMoment now = localMoment(serverTime);
    const int count = static_cast<int>(drawTimes.size());
    int next = 0;
    while (next < count && now.timeOfDay >= drawTimes[next])
        ++next;
    if (next == 0)
        return beforeFirstDraw(now, drawTimes);
    IssueTimes times;
    if (next < count) {
        times.closedIssue = issueOf(now.day, next);
        times.currentIssue = issueOf(now.day, next + 1);
        times.secondsToDraw = secondsOfDay(drawTimes[next]) - secondsOfDay(now.timeOfDay);
    } else {
        times.closedIssue = issueOf(now.day, count);
        times.currentIssue = issueOf(now.day + std::chrono::days(1), 1);
        times.secondsToDraw =
            kSecondsPerDay - secondsOfDay(now.timeOfDay) + secondsOfDay(drawTimes[0]);
    }
    return times;
}

std::string FormatCountdown(int seconds) {
    seconds = std::max(seconds, 0);
    const int hours = seconds / 3600;
    const int minutes = seconds / 60 % 60;
    std::string text = fmt::format("{:02}:{:02}:{:02}", hours, minutes, seconds % 60);
    if (text.starts_with("00:"))
        text.erase(0, 3);
    return text;
}

}  // namespace quorstat
