#include "service/request_server.h"

namespace quorstat::service {

bool RequestServer::serve(httplib::Stream& stream, bool closeConnection) {
    bool connectionClosed = false;
    return process_request(stream, closeConnection, connectionClosed, nullptr) &&
           !closeConnection && !connectionClosed;
}

// The copy's `matches` still point into the path of `request`, which outlives the call.
void RequestServer::postWithBody(const std::string& pattern, Handler handler) {
    Post(pattern, [handler = std::move(handler)](const httplib::Request& request,
                                                 httplib::Response& response,
                                                 const httplib::ContentReader& read) {
        httplib::Request whole = request;
        read([&whole](const char* data, std::size_t size) {
            whole.body.append(data, size);
            return true;
        });
        handler(whole, response);
    });
}

}  // namespace quorstat::service
