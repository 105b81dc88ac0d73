#pragma once

#include <QObject>
#include <QPointer>

#include <atomic>
#include <memory>
#include <string>

#include "net/request_handler.h"
#include "net/service_client.h"

namespace quorstat {

// Brings the worker's finished requests to the thread of `receiver` (the user-interface thread)
// as queued calls and waits until the handler returned. The stop flag cuts the wait short, so
// stopping the worker from the user-interface thread never waits for that thread. `handler`
// must live as long as `receiver`; usually both are the central window.
class RequestHandOver {
public:
    RequestHandOver(QObject* receiver, ServiceClient& client, RequestHandler& handler);

    void operator()(const std::shared_ptr<ServiceRequest>& request,
                    const std::atomic<bool>& stop) const;
    // Shows the text in the login dialog's status line if a login dialog exists then.
    void showProgress(std::string text) const;

private:
    QPointer<QObject> receiver_;
    ServiceClient* client_;
    RequestHandler* handler_;
};

// Starts the client's worker with its hand-over and progress going to `receiver`.
bool StartServiceClient(ServiceClient& client, QObject* receiver, RequestHandler& handler);

}  // namespace quorstat
