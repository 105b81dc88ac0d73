#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "core/app_state.h"
#include "net/http_transfer.h"
#include "net/request_catalogue.h"

namespace quorstat::service {

// One simulated client: it logs in, places a plan and then polls the way the client's timers
// do, server time, the latest draw, the draw history, its plan list, the user list and the
// follow counts, through the client's own transport on one kept-open connection.
class LoadClient {
public:
    struct Result {
        std::vector<double> setupMs;  // the login and the plan
        std::vector<double> pollMs;
        int failures = 0;
        std::string firstFailure;
    };

    LoadClient(int port, std::string userName, std::string password, int openIssue);

    // Polls every `interval` (none: one poll after another) until `deadline` or `rounds` polls.
    Result run(int rounds, std::chrono::milliseconds interval,
               std::chrono::steady_clock::time_point deadline);

private:
    // The reply, its time added to `latencies`; a failed transfer or a status other than 1 or 2
    // counts as a failure.
    std::string exchange(const RequestCatalogue::Request& request, std::vector<double>& latencies);
    bool logIn();
    void pollOnce();

    std::string password_;
    int openIssue_;
    AppState state_;
    RequestCatalogue catalogue_{state_};
    HttpTransfer transfer_;
    quorstat::LotteryScope scope_{"重庆时时彩", "三星", "单选"};
    std::string planStamp_;
    std::string userStamp_;
    Result result_;
};

}  // namespace quorstat::service
