#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <string>

#include "net/curl_api.h"

namespace quorstat {

// Collects what arrives into `buffer`; more than `limit` bytes in all aborts the transfer.
struct CurlReception {
    std::string& buffer;
    std::size_t limit;
    bool overflow = false;

    static std::size_t write(char* data, std::size_t size, std::size_t count, void* user);
};

// Options every transfer of ours shares: the URL, plain HTTP only, no proxy for loopback, no
// signals, the total time limit, and what arrives going to `reception`.
void SetTransferOptions(const CurlApi& curl, CURL* easy, const std::string& url,
                        std::chrono::milliseconds limit, CurlReception& reception);

// Runs the transfer set up on `easy` through `multi`, polled in short steps so that `stop` is
// noticed at once, even while connecting. The transfer's result; CURLE_ABORTED_BY_CALLBACK when
// it was stopped or could not run.
CURLcode RunTransfer(const CurlApi& curl, CURLM* multi, CURL* easy, const std::atomic<bool>& stop);

}  // namespace quorstat
