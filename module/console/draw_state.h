#pragma once

#include <ctime>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace quorstat {

// A lottery's draw times as the service sent them.
struct DrawTable {
    std::vector<int> times;  // HHMMSS in table order, 240000 for midnight
    std::string rest;        // the reply's remainder, carrying the table's date-time
    std::time_t tableTime = 0;
};

struct Draw {
    int issue = 0;
    std::string numbers;
};

// The lottery clock: server time, draw times, the issues they give, the countdown and the draws.
class DrawState {
public:
    std::time_t serverTime = 0;  // 0 while not known
    std::vector<int> drawTimes;
    std::time_t tableTime = 0;
    int closedIssue = 0;
    int currentIssue = 0;
    int remainingSeconds = 0;  // of betting on currentIssue; negative once betting closed
    int lastDrawIssue = 0;
    std::string lastDrawNumbers;
    std::vector<int> historyIssues;  // newest first
    std::vector<std::string> historyNumbers;
    int onlineSeconds = 0;
    int onlineUsers = 0;
    bool firstDrawSeen = false;

    bool serverTimeKnown() const { return serverTime != 0; }
    bool bettingOpen() const { return remainingSeconds > 0; }
    int issuesPerDay() const { return static_cast<int>(drawTimes.size()); }

    // Keeps a lottery's table for the run.
    void storeTable(int lotteryId, DrawTable table);
    // Makes the table kept for this lottery the current one; false when there is none.
    bool useStoredTable(int lotteryId);
    // A table that needs no fetch: present and at most a day older than the server time.
    bool tableIsFresh() const;

    enum class Recompute { Waiting, SameIssue, NewIssue };
    // Issues and countdown from the server time and the table.
    Recompute recompute();

    struct Tick {
        bool closing = false;     // betting has been closed for the whole offset: recompute
        bool drawMoment = false;  // exactly the draw time of the issue just closed
    };
    // One second of the countdown.
    Tick countdownTick();
    // True once per issue, when `warnAtSeconds` of betting remain.
    bool preDrawWarningDue(std::optional<int> warnAtSeconds);

    // The issue whose numbers to ask for next; none when no more polling is needed now.
    std::optional<int> issueToPoll() const;

    // True when the draw is new and was taken.
    bool applyLatestDraw(const Draw& draw);
    void applyHistory(std::span<const Draw> draws);

    // A new lottery: nothing of the old one's issues, draws or table stays.
    void clearLottery();

private:
    std::map<int, DrawTable> tables_;
    int warnedIssue_ = 0;
};

}  // namespace quorstat
