#include "service/plan_pages.h"

#include "service/lottery_scope.h"
#include "service/page_error.h"
#include "service/plan.h"
#include "service/plan_records.h"
#include "service/plan_upload.h"
#include "service/reply_writer.h"
#include "service/router.h"
#include "service/service_context.h"

namespace quorstat::service {
namespace {

constexpr int kClearAll = 2;

void checkOwnName(const PageRequest& request) {
    if (request.form.required("sUserName") != request.user->name)
        throw PageError("不能操作其他用户的方案");
}

int readPage(const FormBody& form) {
    return static_cast<int>(form.requiredInteger("Page", 1, INT32_MAX));
}

int readPageSize(const FormBody& form) {
    return static_cast<int>(form.requiredInteger("OnePageNum", 0, kMaxPlanPageSize));
}

std::string shareReply(bool shared) {
    return ReplyWriter('1').field(shared ? "Share=True" : "Share=False").text();
}

}  // namespace

void PlanPages::addTo(Router& router) {
    router.addPage("BetPlanInfoUp.asp", Router::Access::Session, this, &PlanPages::upload);
    router.addPage("BetPlanList.asp", Router::Access::Session, this, &PlanPages::list);
    router.addPage("BetPlanCancel.asp", Router::Access::Session, this, &PlanPages::cancel);
    router.addPage("BetPlanDelete.asp", Router::Access::Session, this, &PlanPages::remove);
    router.addPage("BetPlanReset.asp", Router::Access::Session, this, &PlanPages::reset);
    router.addPage("BetPlanDetail.asp", Router::Access::Session, this, &PlanPages::detail);
    router.addPage("BetPlanShare.asp", Router::Access::Session, this, &PlanPages::share);
}

// Stores the plan (one per position with BetByLocation) and answers with page 1 of the list.
std::string PlanPages::upload(const PageRequest& request) {
    const LotteryScope scope = readLotteryScope(request.form, context_.calendar);
    PlanUpload upload = PlanUpload::read(request, scope);
    const std::string stamp = touch(request, scope);
    for (Plan& plan : upload.plans) {
        plan.modified = stamp;
        context_.plans.insert(plan);
    }
    context_.boards.setShared(request.user->id, scope.lottery->id, scope.playId, upload.share,
                              stamp);
    return ownList(request, scope, 1, upload.pageSize);
}

// "Share=0" lists the caller's own plans, "Share=1" another user's shared ones. 2| when the
// stamp sent back is the list's stamp.
std::string PlanPages::list(const PageRequest& request) {
    const LotteryScope scope = readLotteryScope(request.form, context_.calendar);
    const bool shared = request.form.requiredInteger("Share", 0, 1) == 1;
    const int page = readPage(request.form);
    const int pageSize = readPageSize(request.form);
    const std::optional<UserRecord> owner =
        context_.accounts.findUser(request.form.required("sUserName"));
    if (!owner)
        throw PageError("用户不存在");
    if (!shared && owner->id != request.user->id)
        throw PageError("不能操作其他用户的方案");
    if (!context_.boards.visibleTo(*request.user, owner->id, scope.lottery->id, scope.playId))
        throw PageError("这个用户没有分享方案");
    const std::string stamp =
        context_.boards.ownerStamp(owner->id, scope.lottery->id, scope.playId);
    const std::optional<std::string_view> seen = request.form.value("LastModifyTime");
    if (seen && !seen->empty() && *seen == stamp)
        return ReplyWriter('2').field("").text();
    return planListReply(context_.plans.ofOwner(owner->id, scope.lottery->id, scope.playId), page,
                         pageSize, stamp, context_.calendar);
}

// Only a plan whose first issue has been drawn can be stopped; its stake stays as played.
std::string PlanPages::cancel(const PageRequest& request) {
    const LotteryScope scope = readLotteryScope(request.form, context_.calendar);
    checkOwnName(request);
    const int page = readPage(request.form);
    const int pageSize = readPageSize(request.form);
    Plan plan = ownPlan(request, scope);
    if (plan.state != PlanState::Waiting)
        throw PageError("方案已经结束");
    if (!plan.hasStarted())
        throw PageError("方案还没有开始，请删除方案");
    plan.stop(request.now);
    plan.modified = touch(request, scope);
    context_.plans.saveRun(plan);
    return ownList(request, scope, page, pageSize);
}

// Only a plan whose first issue has not been drawn can be deleted.
std::string PlanPages::remove(const PageRequest& request) {
    const LotteryScope scope = readLotteryScope(request.form, context_.calendar);
    checkOwnName(request);
    const int page = readPage(request.form);
    const int pageSize = readPageSize(request.form);
    const Plan plan = ownPlan(request, scope);
    if (plan.hasStarted())
        throw PageError("方案已经开始，不能删除");
    context_.plans.remove(plan.id);
    touch(request, scope);
    return ownList(request, scope, page, pageSize);
}

// Clears the caller's list: plans not started go, running ones stop first, and every plan that
// played stays hidden for the rankings.
std::string PlanPages::reset(const PageRequest& request) {
    const LotteryScope scope = readLotteryScope(request.form, context_.calendar);
    if (request.form.requiredInteger("Deleted", kClearAll, kClearAll) != kClearAll)
        throw PageError("字段“Deleted”的值不正确");
    const std::string stamp = touch(request, scope);
    for (Plan& plan : context_.plans.ofOwner(request.user->id, scope.lottery->id, scope.playId)) {
        if (!plan.hasStarted()) {
            context_.plans.remove(plan.id);
            continue;
        }
        if (plan.state == PlanState::Waiting) {
            plan.stop(request.now);
            plan.modified = stamp;
            context_.plans.saveRun(plan);
        }
    }
    context_.plans.clear(request.user->id, scope.lottery->id, scope.playId);
    return ownList(request, scope, 1, 0);
}

// 1|1|PLAN STAMP|PLAN$: one plan of the named user that the caller may see.
std::string PlanPages::detail(const PageRequest& request) {
    const LotteryScope scope = readLotteryScope(request.form, context_.calendar);
    const std::optional<UserRecord> owner =
        context_.accounts.findUser(request.form.required("sUserName"));
    const std::optional<Plan> plan =
        context_.plans.find(request.form.requiredInteger("PlanID", 1, INT64_MAX));
    if (!owner || !plan || plan->userId != owner->id || plan->lotteryId != scope.lottery->id ||
        plan->playId != scope.playId ||
        !context_.boards.visibleTo(*request.user, owner->id, scope.lottery->id, scope.playId))
        throw PageError("方案不存在");
    return ReplyWriter('1')
        .field(1)
        .field(plan->modified)
        .field(planRecord(*plan, context_.calendar) + "$")
        .text();
}

// "ShareSetFlag=0" reads the caller's share flag for the lottery and play, "1" sets it from
// "Share". Both answer 1|Share=True or 1|Share=False.
std::string PlanPages::share(const PageRequest& request) {
    const LotteryScope scope = readLotteryScope(request.form, context_.calendar);
    if (request.form.requiredInteger("ShareSetFlag", 0, 1) == 0)
        return shareReply(
            context_.boards.isShared(request.user->id, scope.lottery->id, scope.playId));
    const bool shared = request.form.requiredInteger("Share", 0, 1) == 1;
    context_.boards.setShared(request.user->id, scope.lottery->id, scope.playId, shared,
                              context_.stamps.next(request.now));
    return shareReply(shared);
}

Plan PlanPages::ownPlan(const PageRequest& request, const LotteryScope& scope) {
    std::optional<Plan> plan =
        context_.plans.find(request.form.requiredInteger("PlanID", 1, INT64_MAX));
    if (!plan || plan->userId != request.user->id || plan->lotteryId != scope.lottery->id ||
        plan->playId != scope.playId)
        throw PageError("方案不存在");
    return std::move(*plan);
}

std::string PlanPages::ownList(const PageRequest& request, const LotteryScope& scope, int page,
                               int pageSize) {
    const std::int64_t userId = request.user->id;
    return planListReply(
        context_.plans.ofOwner(userId, scope.lottery->id, scope.playId), page, pageSize,
        context_.boards.ownerStamp(userId, scope.lottery->id, scope.playId), context_.calendar);
}

std::string PlanPages::touch(const PageRequest& request, const LotteryScope& scope) {
    const std::string stamp = context_.stamps.next(request.now);
    context_.boards.touch(request.user->id, scope.lottery->id, scope.playId, stamp);
    return stamp;
}

}  // namespace quorstat::service
