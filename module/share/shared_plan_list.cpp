#include "share/shared_plan_list.h"

#include <fmt/format.h>

#include "plan/issue_number.h"

namespace quorstat {

namespace {

std::string runText(int length) {
    return length > 0 ? std::to_string(length) : std::string("-");
}

}  // namespace

SharedPlanList::ShowOutcome SharedPlanList::show(const tagUSERINFO& user, bool manager) {
    if (hasUser_ && user.userName == user_.userName && user.shares == user_.shares)
        return ShowOutcome::Unchanged;
    hasUser_ = true;
    user_ = user;
    stamp_.clear();
    plans_.clear();
    summary_ = PlanSummary{};
    recordCount_ = 0;
    PageCursor::reset();
    loadable_ = mayLoad(manager);
    if (!loadable_)
        return ShowOutcome::NotSharing;
    knownPlanIds_.clear();
    soundsArmed_ = false;
    return ShowOutcome::Load;
}

bool SharedPlanList::setFollowed(std::string_view name, bool followed) {
    if (!hasUser_ || user_.userName != name)
        return false;
    user_.followed = followed ? 1 : 0;
    return true;
}

void SharedPlanList::reset() {
    *this = SharedPlanList{};
}

PlanListPage SharedPlanList::query(bool incremental, int pageSize) const {
    PlanListPage page;
    page.page = currentPage();
    page.pageSize = pageSize;
    if (incremental)
        page.stamp = stamp_;
    return page;
}

SharedPlanEvents SharedPlanList::apply(std::string_view reply, int pageSize, int latestDrawnIssue,
                                       int lotteryId, int issuesPerDay) {
    plans_.clear();
    summary_ = PlanSummary{};
    recordCount_ = 0;
    PlanListReply list = ParsePlanList(reply);
    SharedPlanEvents events;
    if (list.outcome != ListOutcome::Loaded)
        return events;
    events.loaded = true;
    stamp_ = std::move(list.stamp);
    summary_ = std::move(list.summary);
    recordCount_ = std::max(list.count, 0);
    setPages(list.total, pageSize);
    for (const tagPLANITEM& plan : list.plans) {
        if (plan.status == 0 && plan.issueOrdinal == 1 && knownPlanIds_.insert(plan.planId).second)
            events.newPlan = true;
        if (plan.status == 1 || plan.status == 2) {
            const int settledIn =
                LastIssueOfRun(plan.firstIssue, plan.issueOrdinal, lotteryId, issuesPerDay);
            if (settledIn != 0 && settledIn == latestDrawnIssue)
                events.endEvent = plan.status;
        } else if (plan.status == 0 && plan.issueOrdinal > 1) {
            events.endEvent = 3;
        }
    }
    plans_ = std::move(list.plans);
    return events;
}

std::string SharedPlanList::statisticsLine() const {
    if (!hasUser_ || !loadable_)
        return std::string(kNoSharedPlans);
    return fmt::format("用户：{}，最大连中：{}，最大连挂：{}，更新：{}", user_.userName,
                       runText(summary_.longestHitRun), runText(summary_.longestMissRun),
                       summary_.stamp);
}

std::vector<SoundItem> SharedPlanList::sounds(const SharedPlanEvents& events,
                                              const SharedPlanSoundSettings& settings) {
    std::vector<SoundItem> items;
    if (!settings.pageShown || !soundsArmed_)
        return items;
    if (events.newPlan && settings.newPlanSound)
        items.push_back({0, 0, settings.newPlanFile});
    if (events.endEvent == 0)
        return items;
    if (endSoundArmed_ && settings.endSound) {
        constexpr int kEndSounds[] = {sound_id::kPlanHit, sound_id::kPlanMiss, sound_id::kPlanStop};
        items.push_back({1, kEndSounds[events.endEvent - 1], {}});
    }
    endSoundArmed_ = false;
    return items;
}

}  // namespace quorstat
