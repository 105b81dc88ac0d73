#include "service/user_list_pages.h"

#include <algorithm>
#include <functional>
#include <optional>

#include "service/filter_condition.h"
#include "service/lottery_scope.h"
#include "service/page_error.h"
#include "service/plan.h"
#include "service/reply_writer.h"
#include "service/router.h"
#include "service/service_context.h"
#include "service/tagged_record.h"

namespace quorstat::service {
namespace {

enum Attention { kEverybody = 0, kFollowed = 1, kFollowers = 2 };

using Figure = std::function<double(const UserFigures&)>;

struct Column {
    std::string_view name;
    Figure figure;  // empty for the user name
};

// The order columns by the names the client sends.
const std::vector<Column>& columns() {
    static const std::vector<Column> kColumns = {
        {"UserName", {}},
        {"BetTotalNum", [](const UserFigures& u) { return u.summary.total; }},
        {"IssueNum", [](const UserFigures& u) { return u.runningIssues; }},
        {"BetTotalNowNum", [](const UserFigures& u) { return u.summary.waiting; }},
        {"BetTotalSuccessNum", [](const UserFigures& u) { return u.summary.hits; }},
        {"BetTotalLossNum", [](const UserFigures& u) { return u.summary.misses; }},
        {"BetTotalCancelNum", [](const UserFigures& u) { return u.summary.stopped; }},
        {"BetAverageNum", [](const UserFigures& u) { return u.averageBets; }},
        {"RateOfBetSuccess", [](const UserFigures& u) { return u.summary.successRate; }},
        {"BetPerProfit", [](const UserFigures& u) { return u.summary.averageProfit; }},
        {"RateOfBetProfit", [](const UserFigures& u) { return u.summary.profitRate; }},
        {"BetFactor", [](const UserFigures& u) { return u.stability; }},
    };
    return kColumns;
}

struct NumericFilter {
    std::string_view field;
    std::string_view column;
    bool integer;
};

constexpr NumericFilter kFilters[] = {
    {"BetTotalNum", "BetTotalNum", true},
    {"IssueNum", "IssueNum", true},
    {"BetTotalNowNum", "BetTotalNowNum", true},
    {"BetAverageNum", "BetAverageNum", true},
    {"RateOfBetSuccess", "RateOfBetSuccess", false},
    {"BetPerProfit", "BetPerProfit", false},
    {"RateOfBetProfit", "RateOfBetProfit", false},
};

const Column& columnNamed(std::string_view name) {
    for (const Column& column : columns())
        if (column.name == name)
            return column;
    throw PageError("排序条件不正确");
}

using Less = std::function<bool(const UserFigures&, const UserFigures&)>;

// "COLUMN ASC" or "COLUMN DESC"; without one, users with running plans come first, then the
// most recently changed.
Less readOrder(const FormBody& form) {
    const std::optional<std::string_view> text = form.value("Orderby");
    if (!text)
        return [](const UserFigures& a, const UserFigures& b) {
            return std::tie(b.summary.waiting, b.stamp) < std::tie(a.summary.waiting, a.stamp);
        };
    const std::size_t blank = text->find(' ');
    const std::string_view direction =
        blank == std::string_view::npos ? std::string_view() : text->substr(blank + 1);
    if (direction != "ASC" && direction != "DESC")
        throw PageError("排序条件不正确");
    const Column& column = columnNamed(text->substr(0, blank));
    const bool ascending = direction == "ASC";
    if (!column.figure)
        return [ascending](const UserFigures& a, const UserFigures& b) {
            return ascending ? a.name < b.name : b.name < a.name;
        };
    return [ascending, figure = column.figure](const UserFigures& a, const UserFigures& b) {
        return ascending ? figure(a) < figure(b) : figure(b) < figure(a);
    };
}

using Keep = std::function<bool(const UserFigures&)>;

std::vector<Keep> readFilters(const FormBody& form) {
    std::vector<Keep> filters;
    if (const auto name = form.value("sUserName")) {
        if (name->empty())
            throw PageError("没有输入用户名");
        filters.push_back([part = std::string(*name)](const UserFigures& u) {
            return u.name.find(part) != std::string::npos;
        });
    }
    for (const NumericFilter& filter : kFilters) {
        const auto text = form.value(filter.field);
        if (!text)
            continue;
        filters.push_back([condition = FilterCondition::parse(*text, filter.integer),
                           figure = columnNamed(filter.column).figure](const UserFigures& u) {
            return condition.matches(figure(u));
        });
    }
    return filters;
}

std::string userRecord(const UserFigures& user, const LotteryScope& scope) {
    const PlanSummary& summary = user.summary;
    TaggedRecord record;
    record.add("UID", user.userId)
        .add("UN", user.name)
        .add("LTN", scope.lottery->name)
        .add("LTP", playStarName(scope.playId))
        .add("LTT", playKindName(scope.playId))
        .flag("SH", user.shares)
        .add("IM", formatMoney(summary.committed))
        .add("PP", formatFigure(summary.averageProfit))
        .add("RBP", formatFigure(summary.profitRate))
        .add("TN", summary.total)
        .add("TNN", summary.waiting)
        .add("TSN", summary.hits)
        .add("TLN", summary.misses)
        .add("TCN", summary.stopped)
        .add("AN", user.averageBets)
        .add("RBS", formatFigure(summary.successRate))
        .add("NIN", user.runningReached)
        .add("INS", user.runningIssues)
        .add("BF", formatFigure(user.stability))
        .add("LMT", user.stamp)
        .add("AT", user.followed ? 1 : 0);
    return record.text();
}

}  // namespace

void UserListPages::addTo(Router& router) {
    router.addPage("BetUserInfoList.asp", Router::Access::Session, this, &UserListPages::list);
}

// 1|TOTAL|COUNT|STAMP|USER$USER$...; 2| when the stamp sent back is the list's stamp.
std::string UserListPages::list(const PageRequest& request) {
    const FormBody& form = request.form;
    const LotteryScope scope = readLotteryScope(form, context_.calendar);
    const auto page = form.requiredInteger("Page", 1, INT32_MAX);
    const auto pageSize = form.requiredInteger("OnePageNum", 0, kMaxPageSize);
    const Less order = readOrder(form);
    const bool topOwn = form.requiredInteger("TopOwn", 0, 1) == 1;
    const auto mode = static_cast<int>(form.requiredInteger("Attention", kEverybody, kFollowers));
    const std::vector<Keep> filters = readFilters(form);
    const auto factorCycle = static_cast<int>(
        form.requiredInteger("FactorCycle", UserFigures::kCurrentPlans, UserFigures::kAllPlans));
    const std::string stamp = listStamp(request, scope);
    const std::optional<std::string_view> seen = form.value("LastModifyTime");
    if (seen && !seen->empty() && *seen == stamp)
        return ReplyWriter('2').field("").text();

    std::vector<UserFigures> users = candidates(request, scope, mode, factorCycle);
    std::erase_if(users, [&filters](const UserFigures& user) {
        return !std::all_of(filters.begin(), filters.end(),
                            [&user](const Keep& keep) { return keep(user); });
    });
    const std::int64_t self = request.user->id;
    std::stable_sort(users.begin(), users.end(), [&](const UserFigures& a, const UserFigures& b) {
        if (topOwn && (a.userId == self) != (b.userId == self))
            return a.userId == self;
        if (order(a, b) || order(b, a))
            return order(a, b);
        return std::tie(a.name, a.userId) < std::tie(b.name, b.userId);
    });
    const auto total = static_cast<std::int64_t>(users.size());
    const std::int64_t first = pageSize == 0 ? 0 : std::min(total, (page - 1) * pageSize);
    const std::int64_t last = pageSize == 0 ? total : std::min(total, first + pageSize);
    std::string records;
    for (std::int64_t i = first; i < last; ++i)
        records += userRecord(users[static_cast<std::size_t>(i)], scope) + "$";
    return ReplyWriter('1').field(total).field(last - first).field(stamp).field(records).text();
}

// Everybody with plans on the board, or the users the caller follows, or his followers whether
// they have plans there or not.
std::vector<UserFigures> UserListPages::candidates(const PageRequest& request,
                                                   const LotteryScope& scope, int mode,
                                                   int factorCycle) {
    const int lotteryId = scope.lottery->id;
    std::map<std::int64_t, std::vector<Plan>> plansByUser;
    for (Plan& plan : context_.plans.ofBoard(lotteryId, scope.playId))
        plansByUser[plan.userId].push_back(std::move(plan));
    const std::set<std::int64_t> followed =
        followIds("SELECT followee_id FROM follows WHERE follower_id = ?1", request.user->id);
    std::set<std::int64_t> ids;
    if (mode == kEverybody)
        for (const auto& entry : plansByUser)
            ids.insert(entry.first);
    else
        ids = mode == kFollowed
                  ? followed
                  : followIds("SELECT follower_id FROM follows WHERE followee_id = ?1",
                              request.user->id);

    Statement rows = context_.db.query(
        "SELECT u.id, u.name, COALESCE(b.share, 0), COALESCE(b.stamp, '') FROM users u "
        "LEFT JOIN plan_boards b ON b.user_id = u.id AND b.lottery_id = ?1 AND b.play_id = ?2",
        lotteryId, scope.playId);
    std::vector<UserFigures> users;
    while (rows.step()) {
        const std::int64_t id = rows.integer(0);
        if (!ids.contains(id))
            continue;
        UserFigures user = UserFigures::of(plansByUser[id], factorCycle, request.now);
        user.userId = id;
        user.name = rows.text(1);
        user.shares = rows.integer(2) != 0;
        user.stamp = rows.text(3);
        user.followed = followed.contains(id);
        users.push_back(std::move(user));
    }
    return users;
}

std::set<std::int64_t> UserListPages::followIds(const char* sql, std::int64_t userId) {
    Statement rows = context_.db.query(sql, userId);
    std::set<std::int64_t> ids;
    while (rows.step())
        ids.insert(rows.integer(0));
    return ids;
}

// Plans changing on the board and the caller's follows change the list; stamps compare as text.
std::string UserListPages::listStamp(const PageRequest& request, const LotteryScope& scope) {
    Statement row =
        context_.db.query("SELECT follows_stamp FROM users WHERE id = ?1", request.user->id);
    row.step();
    return std::max(row.text(0), context_.boards.boardStamp(scope.lottery->id, scope.playId));
}

}  // namespace quorstat::service
