#include "net/request_catalogue.h"

#include <fmt/format.h>

#include "core/base64.h"
#include "net/date_time.h"
#include "net/session_fields.h"

namespace quorstat {
namespace {

using std::to_string;

constexpr std::array<std::string_view, 13> kSortColumns{
    "",
    "UserName",
    "BetTotalNum",
    "IssueNum",
    "BetTotalNowNum",
    "BetTotalSuccessNum",
    "BetTotalLossNum",
    "BetTotalCancelNum",
    "BetAverageNum",
    "RateOfBetSuccess",
    "BetPerProfit",
    "RateOfBetProfit",
    "BetFactor",
};

constexpr std::array<std::string_view, 8> kFilterFields{
    "&sUserName=",     "&BetTotalNum=",      "&IssueNum=",     "&BetTotalNowNum=",
    "&BetAverageNum=", "&RateOfBetSuccess=", "&BetPerProfit=", "&RateOfBetProfit=",
};

constexpr std::array<std::string_view, 4> kRankingPeriods{"day", "week", "month", "total"};

std::string_view starName(const LotteryScope& scope) {
    return scope.starName.empty() ? std::string_view("五星") : std::string_view(scope.starName);
}

// The lottery scope, led by the field name the page expects for the lottery.
std::string scopeFields(const LotteryScope& scope, std::string_view lotteryField) {
    return std::string(lotteryField) + scope.lotteryName +
           "&LotteryPlay=" + std::string(starName(scope)) + "&LotteryType=" + scope.kindName;
}

std::string flag(bool value) {
    return value ? "1" : "0";
}

std::string versionField() {
    return EncodeBase64(kProductVersion);
}

}  // namespace

RequestCatalogue::RequestCatalogue(const AppState& state, Clock localClock)
    : state_(state), clock_(std::move(localClock)) {}

std::time_t RequestCatalogue::now() const {
    return clock_ ? clock_() : std::time(nullptr);
}

std::string RequestCatalogue::standardPrefix() const {
    return "UserName=" + state_.userName + "&OnLogin=" + state_.sessionToken + "&" +
           BuildTimeToken(now());
}

std::string RequestCatalogue::scopedPrefix(const LotteryScope& scope) const {
    return standardPrefix() + scopeFields(scope, "&LotteryName=");
}

RequestCatalogue::Request RequestCatalogue::make(int type, std::string body) const {
    if (state_.sessionToken.empty())
        return std::nullopt;
    ServiceRequest request;
    request.type = type;
    request.body = std::move(body);
    request.context1 = state_.lotteryId;
    request.context2 = state_.playId;
    return request;
}

RequestCatalogue::Request RequestCatalogue::makeWithoutContext(int type, std::string body) const {
    auto request = make(type, std::move(body));
    if (request)
        request->context1 = request->context2 = 0;
    return request;
}

RequestCatalogue::Request RequestCatalogue::login(std::string_view userName,
                                                  std::string_view password) const {
    ServiceRequest request;
    request.type = RequestType::Login;
    request.body =
        fmt::format("Username={}&Password={}&{}&Ver={}&osname={}.{}&screen={}*{}", userName,
                    PasswordDigest(password), BuildTimeToken(now()), versionField(), state_.osMajor,
                    state_.osMinor, state_.screenWidth, state_.screenHeight);
    return request;
}

RequestCatalogue::Request RequestCatalogue::loginFromHost(std::string_view userName,
                                                          std::string_view password) const {
    ServiceRequest request;
    request.type = RequestType::Login;
    request.body = fmt::format("Username={}&Password={}&{}&Ver={}", userName,
                               PasswordDigest(password), BuildTimeToken(now()), versionField());
    return request;
}

RequestCatalogue::Request RequestCatalogue::logout() const {
    return makeWithoutContext(RequestType::Logout, standardPrefix());
}

RequestCatalogue::Request RequestCatalogue::serverTime() const {
    return makeWithoutContext(RequestType::ServerTime, standardPrefix() + "&Ver=" + versionField());
}

RequestCatalogue::Request RequestCatalogue::drawTimes(std::string_view lotteryName) const {
    return make(RequestType::DrawTimes,
                standardPrefix() + "&Lotteryname=" + std::string(lotteryName));
}

RequestCatalogue::Request RequestCatalogue::drawNumbers(std::string_view lotteryName,
                                                        std::int32_t issue) const {
    return make(RequestType::DrawNumbers,
                fmt::format("Username={}&Onlogin={}&{}&Lotteryname={}&Issue={}", state_.userName,
                            state_.sessionToken, BuildTimeToken(now()), lotteryName, issue));
}

RequestCatalogue::Request RequestCatalogue::drawHistory(std::string_view lotteryName) const {
    return make(RequestType::DrawHistory,
                fmt::format("Username={}&Onlogin={}&{}&Lotteryname={}&IssueNum=5", state_.userName,
                            state_.sessionToken, BuildTimeToken(now()), lotteryName));
}

RequestCatalogue::Request RequestCatalogue::planUpload(const LotteryScope& scope,
                                                       const PlanUpload& plan) const {
    std::string body =
        scopedPrefix(scope) +
        fmt::format(
            "&Position={}&ChipsPrice={:.3f}&Bonus={:.3f}&Issue1={}&Issue2={}&IssueNum={}"
            "&Multiple={}&BetContext={}&BetNum={}&BetTime={}&Share={}&InitMoney=0&Page=1"
            "&OnePageNum={}&sUserName={}",
            plan.positionCodes, plan.unitCost, plan.prize, plan.firstIssue, plan.lastIssue,
            plan.issueCount, plan.multiples, plan.betContent, plan.betCount,
            FormatDateTime(plan.betTime), flag(plan.share), plan.pageSize, state_.userName);
    if (plan.betByLocation)
        body += "&BetByLocation=1";
    return make(RequestType::PlanUpload, std::move(body));
}

RequestCatalogue::Request RequestCatalogue::planList(int type, const LotteryScope& scope,
                                                     std::string_view userName, int share,
                                                     const PlanListPage& page) const {
    std::string body =
        scopedPrefix(scope) + fmt::format("&Share={}&sUserName={}&Page={}&OnePageNum={}", share,
                                          userName, page.page, page.pageSize);
    if (!page.stamp.empty())
        body += "&LastModifyTime=" + page.stamp;
    return make(type, std::move(body));
}

RequestCatalogue::Request RequestCatalogue::ownPlanList(const LotteryScope& scope,
                                                        const PlanListPage& page) const {
    return planList(RequestType::OwnPlanList, scope, state_.userName, 0, page);
}

RequestCatalogue::Request RequestCatalogue::sharedPlanList(const LotteryScope& scope,
                                                           std::string_view userName,
                                                           const PlanListPage& page) const {
    return planList(RequestType::SharedPlanList, scope, userName, 1, page);
}

RequestCatalogue::Request RequestCatalogue::planAction(int type, const LotteryScope& scope,
                                                       std::int32_t page, std::int32_t pageSize,
                                                       std::int32_t planId) const {
    return make(type,
                scopedPrefix(scope) + fmt::format("&sUserName={}&Page={}&OnePageNum={}&PlanID={}",
                                                  state_.userName, page, pageSize, planId));
}

RequestCatalogue::Request RequestCatalogue::planCancel(const LotteryScope& scope, std::int32_t page,
                                                       std::int32_t pageSize,
                                                       std::int32_t planId) const {
    return planAction(RequestType::PlanCancel, scope, page, pageSize, planId);
}

RequestCatalogue::Request RequestCatalogue::planDelete(const LotteryScope& scope, std::int32_t page,
                                                       std::int32_t pageSize,
                                                       std::int32_t planId) const {
    return planAction(RequestType::PlanDelete, scope, page, pageSize, planId);
}

RequestCatalogue::Request RequestCatalogue::planReset(const LotteryScope& scope) const {
    return make(RequestType::PlanReset, scopedPrefix(scope) + "&Deleted=2");
}

RequestCatalogue::Request RequestCatalogue::planDetail(const LotteryScope& scope, PlanDetailUse use,
                                                       std::string_view userName,
                                                       std::int32_t planId) const {
    return make(static_cast<int>(use),
                scopedPrefix(scope) + fmt::format("&sUserName={}&PlanID={}", userName, planId));
}

RequestCatalogue::Request RequestCatalogue::userList(const LotteryScope& scope,
                                                     const UserListQuery& query) const {
    std::string body =
        scopedPrefix(scope) + fmt::format("&Page={}&OnePageNum={}", query.page, query.pageSize);
    if (query.sortColumn >= 1 && query.sortColumn < static_cast<int>(kSortColumns.size()))
        body +=
            fmt::format("&Orderby={} {}", kSortColumns[static_cast<std::size_t>(query.sortColumn)],
                        query.ascending ? "ASC" : "DESC");
    body += fmt::format("&TopOwn={}&Attention={}", flag(query.topOwn), query.attention);
    for (std::size_t i = 0; i < kFilterFields.size(); ++i) {
        if (query.filters[i])
            body += std::string(kFilterFields[i]) + *query.filters[i];
    }
    body += "&FactorCycle=" + to_string(query.factorCycle);
    if (!query.stamp.empty())
        body += "&LastModifyTime=" + query.stamp;
    return make(RequestType::UserList, std::move(body));
}

RequestCatalogue::Request RequestCatalogue::shareRead(const LotteryScope& scope) const {
    return make(RequestType::ShareRead, scopedPrefix(scope) + "&ShareSetFlag=0");
}

RequestCatalogue::Request RequestCatalogue::shareSet(const LotteryScope& scope, bool share) const {
    return make(RequestType::ShareSet,
                scopedPrefix(scope) + "&ShareSetFlag=1&Share=" + flag(share));
}

RequestCatalogue::Request RequestCatalogue::follow(const LotteryScope& scope,
                                                   std::string_view userName,
                                                   std::int32_t userInfoId, bool follow) const {
    if (userName == state_.userName)
        return std::nullopt;
    return make(RequestType::Follow,
                standardPrefix() +
                    fmt::format("&AttenUserName={}&UserInfoID={}", userName, userInfoId) +
                    scopeFields(scope, "&LotteryName=") + "&AttentionAct=" + flag(follow));
}

RequestCatalogue::Request RequestCatalogue::followCounts(const LotteryScope& scope) const {
    return make(RequestType::FollowCounts, scopedPrefix(scope) + "&AttentionAct=2");
}

RequestCatalogue::Request RequestCatalogue::templateList(std::string_view stamp) const {
    return make(RequestType::TemplateList, standardPrefix() + "&sUserName=" + state_.userName +
                                               "&LastModifyTime=" + std::string(stamp));
}

RequestCatalogue::Request RequestCatalogue::templateUpload(const tagTEMPLATEITEM& item) const {
    const int type = item.TempletID == 0 ? RequestType::TemplateAdd : RequestType::TemplateChange;
    return make(
        type,
        standardPrefix() +
            fmt::format("&sUserName={}&TempletID={}&TempletName={}&SignName={}&Win={}"
                        "&Loss={}&Wait={}",
                        state_.userName, item.TempletID, item.TempletName, item.SignName, item.Win,
                        item.Loss, item.Wait) +
            fmt::format("&DispCode={}&DispSuccessRatio={}&DispMultiple={}"
                        "&DispProjectDown={}&DispIssueNum={}&DispProfit={}"
                        "&DispProfitCollect={}&DispPosition={}&DispHit={}&DispHitNow={}",
                        flag(item.DispCode), flag(item.DispSuccessRatio), flag(item.DispMultiple),
                        flag(item.DispProjectDown), flag(item.DispIssueNum), flag(item.DispProfit),
                        flag(item.DispProfitCollect), flag(item.DispPosition), flag(item.DispHit),
                        flag(item.DispHitNow)) +
            fmt::format("&DispCountNum=0&Sort={}&Remark={}&ModifyTime={}", item.Sort, item.Remark,
                        FormatDateTime(now())));
}

RequestCatalogue::Request RequestCatalogue::templateDelete(std::int32_t templateId) const {
    return make(
        RequestType::TemplateDelete,
        standardPrefix() + fmt::format("&sUserName={}&TempletID={}", state_.userName, templateId));
}

RequestCatalogue::Request RequestCatalogue::templateSelect(std::int32_t templateId) const {
    return make(
        RequestType::TemplateSelect,
        standardPrefix() + fmt::format("&sUserName={}&TempletID={}", state_.userName, templateId));
}

RequestCatalogue::Request RequestCatalogue::templateDetail(std::string_view userName) const {
    return make(RequestType::TemplateDetail,
                standardPrefix() + "&sUserName=" + std::string(userName));
}

RequestCatalogue::Request RequestCatalogue::ranking(const LotteryScope& scope,
                                                    RankingPeriod period) const {
    return make(RequestType::RankingPoints,
                standardPrefix() + scopeFields(scope, "&Lotteryname=") +
                    "&TOP100=" + std::string(kRankingPeriods[static_cast<std::size_t>(period)]));
}

RequestCatalogue::Request RequestCatalogue::onlineRanking() const {
    return make(RequestType::RankingOnline, standardPrefix() + "&sUserName=" + state_.userName);
}

RequestCatalogue::Request RequestCatalogue::fansRanking(const LotteryScope& scope) const {
    return make(RequestType::RankingFans, standardPrefix() + scopeFields(scope, "&Lotteryname=") +
                                              "&sUserName=" + state_.userName);
}

RequestCatalogue::Request RequestCatalogue::planContent(const LotteryScope& scope,
                                                        PlanContentUse use, std::int32_t userInfoId,
                                                        std::int32_t issue) const {
    const std::string_view kind = use == PlanContentUse::Positions ? "pos" : "txt";
    return make(static_cast<int>(use),
                scopedPrefix(scope) +
                    fmt::format("&UserInfoID={}&Issue={}&ftype={}", userInfoId, issue, kind));
}

RequestCatalogue::Request RequestCatalogue::planStatesByUsers(const LotteryScope& scope,
                                                              std::string_view userInfoIds,
                                                              std::int32_t issue) const {
    return make(RequestType::PlanStatesByUsers,
                scopedPrefix(scope) + fmt::format("&UserInfoID={}&Issue={}", userInfoIds, issue));
}

RequestCatalogue::Request RequestCatalogue::planStateByPlan(const LotteryScope& scope,
                                                            std::string_view planIds,
                                                            std::int32_t issue) const {
    return make(RequestType::PlanStateByPlan,
                scopedPrefix(scope) + fmt::format("&PlanID={}&Issue={}", planIds, issue));
}

RequestCatalogue::Request RequestCatalogue::userInfoId(const LotteryScope& scope) const {
    return make(RequestType::UserInfoId, scopedPrefix(scope));
}

std::string RequestCatalogue::setupBody(std::string_view act, std::string_view name,
                                        std::string_view rest) const {
    return standardPrefix() + fmt::format("&Act={}&Name={}{}", act, name, rest);
}

RequestCatalogue::Request RequestCatalogue::windowFilterRead(std::string_view stamp) const {
    return make(RequestType::WindowFilterRead,
                setupBody("0", "QQWndFilter", "&ModifyTime=" + std::string(stamp)));
}

RequestCatalogue::Request RequestCatalogue::windowFilterWrite(std::string_view setUp) const {
    return make(RequestType::WindowFilterWrite,
                setupBody("2", "QQWndFilter",
                          fmt::format("&SetUp={}&ModifyTime={}", setUp, FormatDateTime(now()))));
}

RequestCatalogue::Request RequestCatalogue::intervalsRead() const {
    return make(RequestType::IntervalsRead, setupBody("0", "SystemTimeInterval", "&ModifyTime="));
}

RequestCatalogue::Request RequestCatalogue::intervalsWrite(std::string_view setUp) const {
    return make(RequestType::IntervalsWrite,
                setupBody("2", "SystemTimeInterval",
                          fmt::format("&SetUp={}&ModifyTime={}", setUp, FormatDateTime(now()))));
}

}  // namespace quorstat
