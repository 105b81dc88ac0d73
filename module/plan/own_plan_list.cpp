#include "plan/own_plan_list.h"

#include <fmt/format.h>

#include <algorithm>

#include "net/reply_text.h"
#include "plan/issue_number.h"

namespace quorstat {
namespace {

enum PlanState { Waiting = 0, Hit = 1, Missed = 2 };

bool complete(const tagPLANITEM& plan) {
    return plan.betCount != 0 && plan.issueCount != 0 && plan.firstIssue != 0 &&
           plan.lastIssue != 0;
}

// A plan decided on the draw just passed sounds its result; one still running after its first
// draw sounds that it goes on. The last such plan in the reply decides.
PlanSound soundOf(const std::vector<tagPLANITEM>& plans, const PlanListDraw& draw) {
    PlanSound sound = PlanSound::None;
    for (const tagPLANITEM& plan : plans) {
        if (plan.status == Hit || plan.status == Missed) {
            const int reached = LastIssueOfRun(plan.firstIssue, plan.issueOrdinal, draw.lotteryId,
                                               draw.issuesPerDay);
            if (reached != 0 && reached == draw.closedIssue)
                sound = static_cast<PlanSound>(plan.status);
        } else if (plan.status == Waiting && plan.issueOrdinal > 1) {
            sound = PlanSound::Running;
        }
    }
    return sound;
}

std::string run(std::int32_t length) {
    return length > 0 ? std::to_string(length) : std::string("-");
}

}  // namespace

int PlanSoundResource(PlanSound sound) {
    switch (sound) {
        case PlanSound::Hit:
            return 3143;
        case PlanSound::Miss:
            return 3141;
        case PlanSound::Running:
            return 3148;
        case PlanSound::None:
            break;
    }
    return 0;
}

OwnPlanList::Result OwnPlanList::apply(std::string_view reply, int requestedPage, int pageSize,
                                       const PlanListDraw& draw) {
    const auto status = StatusCode(reply);
    if (status == '2')
        return {Outcome::Unchanged};
    if (status != '1')
        return {Outcome::Malformed};
    PlanListReply list = ParsePlanList(reply);
    // More plans than a page holds answer an earlier request of another page size: the answer to
    // the page on screen is still to come.
    if (list.outcome == ListOutcome::Loaded && pageSize > 0 && list.count > pageSize)
        return {Outcome::Unchanged};
    clear();
    if (list.outcome != ListOutcome::Loaded)
        return {Outcome::Malformed};
    // The reply announces its records; one it lacks counts as a record without data.
    const auto announced = static_cast<std::size_t>(std::max(list.count, 0));
    if (list.plans.size() < announced ||
        !std::all_of(list.plans.begin(), list.plans.end(), complete))
        return {Outcome::Incomplete};

    plans_ = std::move(list.plans);
    summary_ = std::move(list.summary);
    changeStamp_ = summary_.stamp;
    // Without pages everything is on the first.
    if (requestedPage > 0)
        pages_.showPage(pageSize > 0 ? requestedPage : 1);
    pages_.setPages(list.total, pageSize);
    return {Outcome::Filled, soundOf(plans_, draw)};
}

void OwnPlanList::clear() {
    plans_.clear();
    summary_ = {};
}

std::string OwnPlanList::pagerLabel() const {
    return fmt::format("{}/{}", pages_.currentPage(), pages_.pageCount());
}

std::string OwnPlanList::statisticsLabel() const {
    return fmt::format("最大连中：{}，最大连挂：{}，更新：{}", run(summary_.longestHitRun),
                       run(summary_.longestMissRun), changeStamp_);
}

bool OwnPlanList::settlementDue(int lastDrawIssue) const {
    return lastDrawIssue != 0 &&
           std::any_of(plans_.begin(), plans_.end(), [lastDrawIssue](const tagPLANITEM& plan) {
               return plan.status == Waiting && plan.ni <= lastDrawIssue;
           });
}

}  // namespace quorstat
