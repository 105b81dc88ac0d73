#include "net/service_client.h"

#include "net/request_types.h"

namespace quorstat {

ServiceClient::ServiceClient(AppState& state, TransferLimits limits)
    : state_(state),
      limits_(limits),
      worker_([this](ServiceRequest& request, const std::atomic<bool>& stop) {
          transfer_->perform(request, stop);
      }) {}

ServiceClient::~ServiceClient() {
    stop();
}

bool ServiceClient::QueueRequest(int type, std::string body, std::intptr_t context1,
                                 std::intptr_t context2) {
    noteSession();
    if (!state_.isLoggedIn() && type != RequestType::Login)
        return false;
    auto request = std::make_unique<ServiceRequest>();
    request->type = type;
    request->body = std::move(body);
    request->context1 = context1;
    request->context2 = context2;
    worker_.queue(std::move(request));
    return true;
}

bool ServiceClient::QueueRequest(std::optional<ServiceRequest> request) {
    if (!request)
        return false;
    return QueueRequest(request->type, std::move(request->body), request->context1,
                        request->context2);
}

void ServiceClient::Deliver(ServiceRequest& request, RequestHandler& handler) {
    handler.OnRequestDone(request);
    noteSession();
}

bool ServiceClient::start(RequestWorker::HandOver handOver, ShowProgress showProgress) {
    if (worker_.isRunning())
        return false;
    transfer_ = std::make_unique<HttpTransfer>(state_.serverHost, state_.serverPort,
                                               state_.serverPath, limits_);
    noteSession();
    return worker_.start(std::move(handOver),
                         [showProgress = std::move(showProgress)](const ServiceRequest& request) {
                             const std::string_view text = RequestProgressText(request.type);
                             if (showProgress && !text.empty())
                                 showProgress(std::string(text) + "...");
                         });
}

void ServiceClient::stop() {
    worker_.clearQueue();
    worker_.stop();
}

}  // namespace quorstat
