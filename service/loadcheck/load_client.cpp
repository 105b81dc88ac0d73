#include "service/loadcheck/load_client.h"

#include <algorithm>
#include <atomic>
#include <thread>

#include "net/login_rules.h"
#include "net/plan_record.h"
#include "net/request_types.h"
#include "net/user_record.h"

namespace quorstat::service {

LoadClient::LoadClient(int port, std::string userName, std::string password, int openIssue)
    : password_(std::move(password)),
      openIssue_(openIssue),
      transfer_("127.0.0.1", port, std::string(kServerPath)) {
    state_.userName = std::move(userName);
}

LoadClient::Result LoadClient::run(int rounds, std::chrono::milliseconds interval,
                                   std::chrono::steady_clock::time_point deadline) {
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
    exchange(catalogue_.planUpload(scope_, plan), result_.setupMs);
    auto next = std::chrono::steady_clock::now();
    for (int round = 0;
         round < rounds && std::max(next, std::chrono::steady_clock::now()) < deadline; ++round) {
        std::this_thread::sleep_until(next);
        pollOnce();
        next += interval;
    }
    return result_;
}

bool LoadClient::logIn() {
    const LoginReply reply =
        ParseLoginReply(exchange(catalogue_.login(state_.userName, password_), result_.setupMs));
    state_.sessionToken = reply.token;
    return reply.outcome == LoginReply::Outcome::Accepted;
}

void LoadClient::pollOnce() {
    exchange(catalogue_.serverTime(), result_.pollMs);
    exchange(catalogue_.drawNumbers(scope_.lotteryName, openIssue_), result_.pollMs);
    exchange(catalogue_.drawHistory(scope_.lotteryName), result_.pollMs);
    const PlanListReply plans =
        ParsePlanList(exchange(catalogue_.ownPlanList(scope_, {1, 0, planStamp_}), result_.pollMs));
    if (plans.outcome == ListOutcome::Loaded)
        planStamp_ = plans.stamp;
    UserListQuery query;
    query.stamp = userStamp_;
    const UserListReply users =
        ParseUserList(exchange(catalogue_.userList(scope_, query), result_.pollMs));
    if (users.outcome == ListOutcome::Loaded)
        userStamp_ = users.stamp;
    exchange(catalogue_.followCounts(scope_), result_.pollMs);
}

std::string LoadClient::exchange(const RequestCatalogue::Request& request,
                                 std::vector<double>& latencies) {
    if (!request)
        return {};
    ServiceRequest sent = *request;
    static const std::atomic<bool> kNeverStop = false;
    const auto start = std::chrono::steady_clock::now();
    transfer_.perform(sent, kNeverStop);
    const std::chrono::duration<double, std::milli> elapsed =
        std::chrono::steady_clock::now() - start;
    latencies.push_back(elapsed.count());
    if (sent.transferFailed || sent.reply.empty() ||
        (sent.reply[0] != '1' && sent.reply[0] != '2')) {
        if (result_.failures++ == 0)
            result_.firstFailure =
                std::string(RequestPage(sent.type)) + ": " + sent.reply.substr(0, 80);
    }
    return sent.reply;
}

}  // namespace quorstat::service
