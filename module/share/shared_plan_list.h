#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "core/sound_player.h"
#include "net/page_cursor.h"
#include "net/plan_record.h"
#include "net/request_catalogue.h"
#include "net/user_record.h"

namespace quorstat {

inline constexpr std::string_view kNoSharedPlans = "没有可显示的方案，请双击用户列表查看方案";
inline constexpr std::string_view kStingyUserText =
    "这个家伙比较吝啬，没有分享方案，您目前无法查看他的方案哦。";

// What a plan-list reply told about the viewed user's plans.
struct SharedPlanEvents {
    bool loaded = false;
    bool newPlan = false;  // a waiting plan in its first issue not seen before
    int endEvent = 0;      // 1 hit or 2 missed on the latest draw, 3 still running; 0 none
};

// What the panel may play after a reply.
struct SharedPlanSoundSettings {
    bool pageShown = false;  // the console shows the sharing page
    bool newPlanSound = false;
    std::string newPlanFile;  // full path of the new-plan wave file
    bool endSound = false;
};

// The shared-plan panel without its widgets: the viewed user, his page of plans and statistics,
// the plans already announced and the arming of the two sounds.
class SharedPlanList : public PageCursor {
public:
    enum class ShowOutcome {
        Unchanged,   // the same user is already shown
        NotSharing,  // he does not share and the viewer is no manager: nothing to ask
        Load,        // ask for his template and his plans
    };

    // Takes a user to show; `manager` is the viewer's manager right.
    ShowOutcome show(const tagUSERINFO& user, bool manager);
    bool hasUser() const { return hasUser_; }
    const tagUSERINFO& user() const { return user_; }
    // Whether his plans may be asked for now.
    bool mayLoad(bool manager) const { return hasUser_ && (user_.shares != 0 || manager); }
    // Marks the viewed user; false when he has another name.
    bool setFollowed(std::string_view name, bool followed);
    // Back to no user.
    void reset();

    // The list request of the current page; an incremental one carries the stamp.
    PlanListPage query(bool incremental, int pageSize) const;

    // A plan-list reply; `latestDrawnIssue` and the lottery's issues decide the end event.
    SharedPlanEvents apply(std::string_view reply, int pageSize, int latestDrawnIssue,
                           int lotteryId, int issuesPerDay);
    const std::vector<tagPLANITEM>& plans() const { return plans_; }
    const PlanSummary& summary() const { return summary_; }
    int recordCount() const { return recordCount_; }

    // "用户：…，最大连中：…，最大连挂：…，更新：…", or the hint while no plans can be shown.
    std::string statisticsLine() const;

    // Sounds: armed some time after a user is shown, the end sound when the page is activated.
    void armSounds() { soundsArmed_ = true; }
    bool soundsArmed() const { return soundsArmed_; }
    void activate() { endSoundArmed_ = soundsArmed_; }
    // The sounds to queue for a reply's events; the end sound disarms itself.
    std::vector<SoundItem> sounds(const SharedPlanEvents& events,
                                  const SharedPlanSoundSettings& settings);

private:
    bool hasUser_ = false;
    bool loadable_ = false;
    tagUSERINFO user_;
    std::string stamp_;
    std::vector<tagPLANITEM> plans_;
    PlanSummary summary_;
    int recordCount_ = 0;
    std::set<std::int32_t> knownPlanIds_;
    bool soundsArmed_ = false;
    bool endSoundArmed_ = false;
};

}  // namespace quorstat
