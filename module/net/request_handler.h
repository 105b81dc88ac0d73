#pragma once

#include <string>

#include "net/service_request.h"

namespace quorstat {

// The login dialog's status line, which shows what the worker is doing while the dialog exists.
class RequestProgressView {
public:
    virtual ~RequestProgressView() = default;
    virtual void showRequestProgress(const std::string& text) = 0;
};

// The central window: receives every finished request on the user-interface thread. The record
// is valid only until OnRequestDone returns.
class RequestHandler {
public:
    virtual ~RequestHandler() = default;
    virtual void OnRequestDone(ServiceRequest& request) = 0;
    // The login dialog while one exists, else nullptr.
    virtual RequestProgressView* loginProgressView() = 0;
};

}  // namespace quorstat
