#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "net/page_cursor.h"
#include "net/plan_record.h"

namespace quorstat {

// The end-of-plan sound a list reply asks for; the value is the plan state that chose it.
enum class PlanSound { None = 0, Hit = 1, Miss = 2, Running = 3 };

// The wave resource of a sound; 0 for None.
int PlanSoundResource(PlanSound sound);

// The draw a reply is read against.
struct PlanListDraw {
    int lotteryId = 0;
    int issuesPerDay = 0;
    int closedIssue = 0;  // the issue whose draw time passed last
};

// The user's own plans of the current lottery and play as the service last listed them, with
// the service's summary, the page on screen and the list's change stamp.
class OwnPlanList {
public:
    enum class Outcome {
        Filled,     // a list was taken
        Unchanged,  // "2": nothing new since the stamp sent, or the answer to an older request
        Malformed,  // another status, or a head or summary cut short: reload the page
        Incomplete  // a record without bets, issues or issue range: reload the page
    };
    struct Result {
        Outcome outcome = Outcome::Malformed;
        PlanSound sound = PlanSound::None;
    };

    // Takes a list reply. `requestedPage` is the page the request asked for (0 when unknown);
    // `pageSize` 0 lists everything on one page. A "1" empties the list before it is read.
    Result apply(std::string_view reply, int requestedPage, int pageSize, const PlanListDraw& draw);
    // Empty list, empty summary; the page and the stamp stay.
    void clear();

    const std::vector<tagPLANITEM>& plans() const { return plans_; }
    const PlanSummary& summary() const { return summary_; }
    // The summary's LMT of the last list, sent back on incremental reloads.
    const std::string& changeStamp() const { return changeStamp_; }
    void clearChangeStamp() { changeStamp_.clear(); }

    PageCursor& pages() { return pages_; }
    const PageCursor& pages() const { return pages_; }
    // "%d/%d": the page on screen and the page count.
    std::string pagerLabel() const;
    // "最大连中：%s，最大连挂：%s，更新：%s"; a dash for a run of 0.
    std::string statisticsLabel() const;

    // Whether a waiting plan waits for an issue already drawn: its settlement is due, so the list
    // reloads after a while.
    bool settlementDue(int lastDrawIssue) const;

private:
    std::vector<tagPLANITEM> plans_;
    PlanSummary summary_;
    std::string changeStamp_;
    PageCursor pages_;
};

}  // namespace quorstat
