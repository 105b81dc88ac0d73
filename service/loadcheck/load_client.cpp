#include "service/loadcheck/load_client.h"

#include <httplib.h>

#include "core/text_codec.h"
#include "net/login_rules.h"
#include "net/plan_record.h"
#include "net/user_record.h"

namespace quorstat::service {

LoadClient::LoadClient(int port, std::string userName, std::string password, int openIssue)
    : port_(port), password_(std::move(password)), openIssue_(openIssue) {
    state_.userName = std::move(userName);
}

LoadClient::Result LoadClient::run(int rounds, std::chrono::steady_clock::time_point deadline) {
    if (!logIn())
        return result_;
    quorstat::PlanUpload plan;
    plan.positionCodes = "123";
    plan.unitCost = 2;
    plan.prize = 1950;
    plan.firstIssue = openIssue_;
    plan.lastIssue = openIssue_ + 2;
    plan.issueCount = 3;
    plan.multiples = "1,2,4";
    plan.betContent = "123 456 789 ";
    plan.betCount = 3;
    plan.betTime = std::time(nullptr);
    plan.share = true;
    exchange(catalogue_.planUpload(scope_, plan), "BetPlanInfoUp.asp");
    for (int round = 0; round < rounds && std::chrono::steady_clock::now() < deadline; ++round)
        pollOnce();
    return result_;
}

bool LoadClient::logIn() {
    const LoginReply reply =
        ParseLoginReply(exchange(catalogue_.login(state_.userName, password_), "BetUserLogin.asp"));
    state_.sessionToken = reply.token;
    return reply.outcome == LoginReply::Outcome::Accepted;
}

void LoadClient::pollOnce() {
    exchange(catalogue_.serverTime(), "BetFlashTime.asp");
    exchange(catalogue_.drawNumbers(scope_.lotteryName, openIssue_), "BetLotteryData.asp");
    exchange(catalogue_.drawHistory(scope_.lotteryName), "BetLotteryData.asp");
    const PlanListReply plans = ParsePlanList(
        exchange(catalogue_.ownPlanList(scope_, {1, 0, planStamp_}), "BetPlanList.asp"));
    if (plans.outcome == ListOutcome::Loaded)
        planStamp_ = plans.stamp;
    UserListQuery query;
    query.stamp = userStamp_;
    const UserListReply users =
        ParseUserList(exchange(catalogue_.userList(scope_, query), "BetUserInfoList.asp"));
    if (users.outcome == ListOutcome::Loaded)
        userStamp_ = users.stamp;
    exchange(catalogue_.followCounts(scope_), "BetAttentionUser.asp");
}

std::string LoadClient::exchange(const RequestCatalogue::Request& request, const char* page) {
    if (!request)
        return {};
    httplib::Client client("127.0.0.1", port_);
    const auto start = std::chrono::steady_clock::now();
    const auto response = client.Post(std::string("/BetInfo1/release/") + page,
                                      ToAnsi(request->body), "application/x-www-form-urlencoded");
    const std::chrono::duration<double, std::milli> elapsed =
        std::chrono::steady_clock::now() - start;
    result_.latenciesMs.push_back(elapsed.count());
    const std::string reply = response ? FromAnsi(response->body) : std::string();
    if (reply.empty() || (reply[0] != '1' && reply[0] != '2')) {
        if (result_.failures++ == 0)
            result_.firstFailure = std::string(page) + ": " + reply.substr(0, 80);
    }
    return reply;
}

}  // namespace quorstat::service
