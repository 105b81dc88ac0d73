#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <string>

#include "net/curl_api.h"
#include "net/service_request.h"

namespace quorstat {

struct TransferLimits {
    std::chrono::milliseconds total{20000};
    // No reply of the service comes near this; a longer one is dropped as a failure.
    std::size_t maxReplyBytes = 16u << 20;
};

// One form POST at a time to the service with libcurl: the body goes out in the ANSI code page,
// the reply comes back as UTF-8. Used only by the request worker's thread.
class HttpTransfer {
public:
    HttpTransfer(std::string host, int port, std::string path, TransferLimits limits = {});
    ~HttpTransfer();
    HttpTransfer(const HttpTransfer&) = delete;
    HttpTransfer& operator=(const HttpTransfer&) = delete;

    // Fills `reply` with what arrived, which may be nothing or a part after a failure; returns
    // soon after `stop` becomes true.
    void perform(ServiceRequest& request, const std::atomic<bool>& stop);

private:
    bool ready();

    std::string host_;
    int port_;
    std::string path_;
    TransferLimits limits_;
    const CurlApi* curl_ = nullptr;
    CURL* easy_ = nullptr;
    CURLM* multi_ = nullptr;
    curl_slist* headers_ = nullptr;
    std::string buffer_;
};

}  // namespace quorstat
