#pragma once

#include <ctime>
#include <optional>
#include <span>
#include <string>

namespace quorstat {

// Betting on an issue closes this long before its draw time.
inline constexpr int kCloseOffsetSeconds = 10;

// Where a moment stands in a lottery's day.
struct IssueTimes {
    int closedIssue = 0;    // the issue whose draw time passed last
    int currentIssue = 0;   // the issue open for betting
    int secondsToDraw = 0;  // until the next draw time
};

// `serverTime` is read as local time; `drawTimes` are HHMMSS in table order, 240000 standing for
// midnight. None for an empty table.
std::optional<IssueTimes> ComputeIssueTimes(std::time_t serverTime, std::span<const int> drawTimes);

// "HH:MM:SS" with a leading zero hour left out: 75 gives "01:15", 3725 gives "01:02:05".
std::string FormatCountdown(int seconds);

}  // namespace quorstat
