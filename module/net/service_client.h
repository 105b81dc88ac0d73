#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "core/app_state.h"
#include "net/http_transfer.h"
#include "net/request_handler.h"
#include "net/request_worker.h"

namespace quorstat {

// The request queue with its worker and transport. Everything except the worker's own loop runs
// on the user-interface thread, which owns `state`.
class ServiceClient {
public:
    using ShowProgress = std::function<void(std::string text)>;

    explicit ServiceClient(AppState& state, TransferLimits limits = {});
    ~ServiceClient();
    ServiceClient(const ServiceClient&) = delete;
    ServiceClient& operator=(const ServiceClient&) = delete;

    // Appends a request unless no one is logged in and it is not a login; false when dropped.
    bool QueueRequest(int type, std::string body, std::intptr_t context1, std::intptr_t context2);
    // A request made by the catalogue; nothing when the catalogue made none.
    bool QueueRequest(std::optional<ServiceRequest> request);

    // Runs the handler for a finished request and takes note of a login or logout it caused.
    void Deliver(ServiceRequest& request, RequestHandler& handler);

    // Reads the endpoint from the state and starts the worker. `handOver` brings finished
    // requests to the user-interface thread; `showProgress` gets "text..." before each transfer.
    bool start(RequestWorker::HandOver handOver, ShowProgress showProgress);
    // Frees the waiting requests, then stops the worker, cutting a transfer or hand-over short.
    void stop();
    std::size_t pendingCount() const { return worker_.pendingCount(); }

private:
    void noteSession() { worker_.setSessionActive(state_.isLoggedIn()); }

    AppState& state_;
    TransferLimits limits_;
    std::unique_ptr<HttpTransfer> transfer_;
    RequestWorker worker_;
};

}  // namespace quorstat
