#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "core/app_state.h"
#include "net/request_catalogue.h"

namespace quorstat::service {

// One simulated client: it logs in, places a plan and then polls the way the client's timers
// do, server time, the latest draw, the draw history, its plan list, the user list and the
// follow counts, one request after another on a new connection each.
class LoadClient {
public:
    struct Result {
        std::vector<double> latenciesMs;
        int failures = 0;
        std::string firstFailure;
    };

    LoadClient(int port, std::string userName, std::string password, int openIssue);

    // Runs `rounds` rounds of polls or until `deadline`, whichever comes first.
    Result run(int rounds, std::chrono::steady_clock::time_point deadline);

private:
    // The reply, timed; a reply whose status is not 1 or 2 counts as a failure.
    std::string exchange(const RequestCatalogue::Request& request, const char* page);
    bool logIn();
    void pollOnce();

    int port_;
    std::string password_;
    int openIssue_;
    AppState state_;
    RequestCatalogue catalogue_{state_};
    quorstat::LotteryScope scope_{"重庆时时彩", "三星", "单选"};
    std::string planStamp_;
    std::string userStamp_;
    Result result_;
};

}  // namespace quorstat::service
