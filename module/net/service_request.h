#pragma once

#include <cstdint>
#include <string>

namespace quorstat {

// One exchange with the service. Once queued it belongs to the request worker.
struct ServiceRequest {
    int type = 0;
    std::string body;   // UTF-8; converted to the ANSI code page on the wire
    std::string reply;  // UTF-8; empty or partial when the transfer failed
    std::intptr_t context1 = 0;
    std::intptr_t context2 = 0;
    bool transferFailed = false;
};

}  // namespace quorstat
