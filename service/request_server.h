#pragma once

#include <httplib.h>

#include <string>

namespace quorstat::service {

// The library's server, used only to parse, route and answer requests that the ConnectionHub
// has received in full; the hub owns the connections.
class RequestServer : public httplib::Server {
public:
    // Answers the one request in `stream`; false when the connection is to be closed after it.
    bool serve(httplib::Stream& stream, bool closeConnection);
    // A POST handler that sees the whole body in `body`: the library's own reading refuses form
    // bodies over 8 KiB, whatever the body limit, while the hub has checked the limit already.
    void postWithBody(const std::string& pattern, Handler handler);
};

}  // namespace quorstat::service
