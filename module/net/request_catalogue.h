#pragma once

#include <array>
#include <cstdint>
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/app_state.h"
#include "net/request_types.h"
#include "net/service_request.h"
#include "net/template_record.h"

namespace quorstat {

// The names the service knows the current selection by.
struct LotteryScope {
    std::string lotteryName;
    std::string starName;  // empty for the play without a star group; sent as "五星"
    std::string kindName;
};

// The plan form's values, already checked and formatted where the form decides the format.
struct PlanUpload {
    std::string positionCodes;  // e.g. "12,45"
    double unitCost = 0;
    double prize = 0;
    std::int32_t firstIssue = 0;
    std::int32_t lastIssue = 0;
    std::int32_t issueCount = 0;
    std::string multiples;  // comma-separated
    std::string betContent;
    std::int32_t betCount = 0;
    std::time_t betTime = 0;  // server time
    bool share = false;
    std::int32_t pageSize = 0;
    bool betByLocation = false;
};

struct PlanListPage {
    std::int32_t page = 1;
    std::int32_t pageSize = 0;
    std::string stamp;  // empty on a full reload
};

// The user-list filters in the order they are sent; each holds its condition text when enabled.
enum class UserFilter {
    UserName,
    PlanCount,
    ChasedIssues,
    RunningPlans,
    AverageBets,
    SuccessRate,
    AverageProfit,
    ProfitRate,
};

struct UserListQuery {
    std::int32_t page = 1;
    std::int32_t pageSize = 20;
    int sortColumn = 0;  // 0: the service's order, 1..12: a column
    bool ascending = true;
    bool topOwn = false;
    int attention = 0;  // 0 all users, 1 users followed, 2 followers
    std::array<std::optional<std::string>, 8> filters;
    int factorCycle = 0;
    std::string stamp;  // empty on a full refresh
};

enum class PlanDetailUse {
    View = RequestType::PlanDetailView,
    Copy = RequestType::PlanDetailCopy,
    ToBigBase = RequestType::PlanDetailToBigBase,
};

enum class PlanContentUse {
    ToPlanBox = RequestType::PlanContentToPlanBox,
    ToBigBase = RequestType::PlanContentToBigBase,
    Positions = RequestType::PlanPositions,
};

enum class RankingPeriod { Day, Week, Month, Total };

// One builder per request: the exact body, its type and its two context values. Every builder
// except the login gives nothing while no one is logged in.
class RequestCatalogue {
public:
    using Clock = std::function<std::time_t()>;
    explicit RequestCatalogue(const AppState& state, Clock localClock = {});

    using Request = std::optional<ServiceRequest>;

    Request login(std::string_view userName, std::string_view password) const;
    // The host passed the credentials: no environment fields.
    Request loginFromHost(std::string_view userName, std::string_view password) const;
    Request logout() const;
    Request serverTime() const;
    Request drawTimes(std::string_view lotteryName) const;
    Request drawNumbers(std::string_view lotteryName, std::int32_t issue) const;
    Request drawHistory(std::string_view lotteryName) const;

    Request planUpload(const LotteryScope& scope, const PlanUpload& plan) const;
    Request ownPlanList(const LotteryScope& scope, const PlanListPage& page) const;
    Request sharedPlanList(const LotteryScope& scope, std::string_view userName,
                           const PlanListPage& page) const;
    Request planCancel(const LotteryScope& scope, std::int32_t page, std::int32_t pageSize,
                       std::int32_t planId) const;
    Request planDelete(const LotteryScope& scope, std::int32_t page, std::int32_t pageSize,
                       std::int32_t planId) const;
    Request planReset(const LotteryScope& scope) const;
    Request planDetail(const LotteryScope& scope, PlanDetailUse use, std::string_view userName,
                       std::int32_t planId) const;

    Request userList(const LotteryScope& scope, const UserListQuery& query) const;
    Request shareRead(const LotteryScope& scope) const;
    Request shareSet(const LotteryScope& scope, bool share) const;
    // Nothing for the logged-in user himself.
    Request follow(const LotteryScope& scope, std::string_view userName, std::int32_t userInfoId,
                   bool follow) const;
    Request followCounts(const LotteryScope& scope) const;

    Request templateList(std::string_view stamp) const;
    // A template without an id is added, one with an id is changed.
    Request templateUpload(const tagTEMPLATEITEM& item) const;
    Request templateDelete(std::int32_t templateId) const;
    Request templateSelect(std::int32_t templateId) const;
    Request templateDetail(std::string_view userName) const;

    Request ranking(const LotteryScope& scope, RankingPeriod period) const;
    Request onlineRanking() const;
    Request fansRanking(const LotteryScope& scope) const;

    Request planContent(const LotteryScope& scope, PlanContentUse use, std::int32_t userInfoId,
                        std::int32_t issue) const;
    Request planStatesByUsers(const LotteryScope& scope, std::string_view userInfoIds,
                              std::int32_t issue) const;
    Request planStateByPlan(const LotteryScope& scope, std::string_view planIds,
                            std::int32_t issue) const;
    Request userInfoId(const LotteryScope& scope) const;

    Request windowFilterRead(std::string_view stamp) const;
    Request windowFilterWrite(std::string_view setUp) const;
    Request intervalsRead() const;
    Request intervalsWrite(std::string_view setUp) const;

private:
    std::time_t now() const;
    // Account prefix and time token.
    std::string standardPrefix() const;
    std::string scopedPrefix(const LotteryScope& scope) const;
    Request make(int type, std::string body) const;
    Request makeWithoutContext(int type, std::string body) const;
    Request planAction(int type, const LotteryScope& scope, std::int32_t page,
                       std::int32_t pageSize, std::int32_t planId) const;
    Request planList(int type, const LotteryScope& scope, std::string_view userName, int share,
                     const PlanListPage& page) const;
    std::string setupBody(std::string_view act, std::string_view name, std::string_view rest) const;

    const AppState& state_;
    Clock clock_;
};

}  // namespace quorstat
