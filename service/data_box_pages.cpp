#include "service/data_box_pages.h"

#include <charconv>
#include <vector>

#include "service/lottery_scope.h"
#include "service/page_error.h"
#include "service/plan.h"
#include "service/plan_bet.h"
#include "service/reply_writer.h"
#include "service/router.h"
#include "service/service_context.h"
#include "service/tagged_record.h"

namespace quorstat::service {
namespace {

constexpr std::size_t kMaxIdsPerRequest = 1000;

// Comma-separated ids, each a positive number.
std::vector<std::int64_t> readIds(std::string_view list, std::string_view message) {
    std::vector<std::int64_t> ids;
    while (true) {
        const std::size_t end = std::min(list.find(','), list.size());
        const std::string_view text = list.substr(0, end);
        std::int64_t id = 0;
        const auto [last, error] = std::from_chars(text.data(), text.data() + text.size(), id);
        if (text.empty() || error != std::errc() || last != text.data() + text.size() || id < 1 ||
            ids.size() == kMaxIdsPerRequest)
            throw PageError(std::string(message));
        ids.push_back(id);
        if (end == list.size())
            return ids;
        list.remove_prefix(end + 1);
    }
}

std::string statusRecord(const Plan& plan, std::int64_t id, const std::string& state) {
    return "POS=" + plan.positionText() + "|" + std::to_string(id) + "=" + state + "$";
}

}  // namespace

void DataBoxPages::addTo(Router& router) {
    router.addPage("BetPlanContext.asp", Router::Access::Session, this, &DataBoxPages::planContext);
    router.addPage("BetPlanStatus.asp", Router::Access::Session, this, &DataBoxPages::planStatus);
}

// 1|ISSUE|UID=..|PID=..|IS=..|POS=..|TXT=..| with "ftype=txt", without TXT for "ftype=pos";
// 1|ISSUE|UID=..| when the user has no plan for the issue.
std::string DataBoxPages::planContext(const PageRequest& request) {
    const LotteryScope scope = readLotteryScope(request.form, context_.calendar);
    const std::optional<UserRecord> owner =
        context_.accounts.findUserById(request.form.requiredInteger("UserInfoID", 1, INT32_MAX));
    if (!owner)
        throw PageError("用户不存在");
    const int issue = readIssue(request, scope);
    const std::string_view type = request.form.required("ftype");
    if (type != "txt" && type != "pos")
        throw PageError("字段“ftype”的值不正确");
    TaggedRecord record;
    record.add("UID", owner->id);
    if (const std::optional<Plan> plan = planAt(request, scope, *owner, issue)) {
        record.add("PID", plan->id).add("IS", issue).add("POS", plan->positionText());
        if (type == "txt")
            record.add("TXT", plan->numbers);
    }
    return ReplyWriter('1').field(issue).field(record.text()).text();
}

// 1|ISSUE|POS=..|ID=STATE$POS=..|ID=STATE$...: for "UserInfoID" (ids) the users' plans for the
// issue, for "PlanID" that one plan; ids without a plan the caller may see are left out.
std::string DataBoxPages::planStatus(const PageRequest& request) {
    const LotteryScope scope = readLotteryScope(request.form, context_.calendar);
    const int issue = readIssue(request, scope);
    std::string records;
    if (const auto planIds = request.form.value("PlanID")) {
        for (const std::int64_t planId : readIds(*planIds, "方案编号不正确")) {
            const std::optional<Plan> plan = context_.plans.find(planId);
            if (plan && plan->lotteryId == scope.lottery->id && plan->playId == scope.playId &&
                plan->covers(issue) &&
                context_.boards.visibleTo(*request.user, plan->userId, scope.lottery->id,
                                          scope.playId))
                records += statusRecord(*plan, planId, stateAt(*plan, issue, request));
        }
    } else {
        for (const std::int64_t userId :
             readIds(request.form.required("UserInfoID"), "用户编号不正确")) {
            const std::optional<UserRecord> owner = context_.accounts.findUserById(userId);
            if (!owner)
                throw PageError("用户不存在");
            if (const std::optional<Plan> plan = planAt(request, scope, *owner, issue))
                records += statusRecord(*plan, userId, stateAt(*plan, issue, request));
        }
    }
    return ReplyWriter('1').field(issue).field(records).text();
}

int DataBoxPages::readIssue(const PageRequest& request, const LotteryScope& scope) {
    const auto issue = static_cast<int>(request.form.requiredInteger("Issue", 0, 999999999));
    if (issue == 0)
        return LotteryCalendar::openIssue(*scope.lottery, request.now).issue;
    if (!LotteryCalendar::drawTime(*scope.lottery, issue))
        throw PageError("期号不正确");
    return issue;
}

std::optional<Plan> DataBoxPages::planAt(const PageRequest& request, const LotteryScope& scope,
                                         const UserRecord& owner, int issue) {
    if (!context_.boards.visibleTo(*request.user, owner.id, scope.lottery->id, scope.playId))
        return std::nullopt;
    for (Plan& plan : context_.plans.ofOwner(owner.id, scope.lottery->id, scope.playId))
        if (plan.covers(issue))
            return std::move(plan);
    return std::nullopt;
}

std::string DataBoxPages::stateAt(const Plan& plan, int issue, const PageRequest& request) {
    Statement draw = context_.db.query(
        "SELECT numbers FROM draws WHERE lottery_id = ?1 AND issue = ?2 AND draw_at <= ?3",
        plan.lotteryId, issue, request.now);
    if (!draw.step())
        return {};
    const PlanBet bet = PlanBet::parse(plan.playId, plan.numbers);
    return plan.resultOf(bet, draw.text(0)).wins > 0 ? "1" : "2";
}

}  // namespace quorstat::service
