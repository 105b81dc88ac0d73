#include "net/curl_transfer.h"

namespace quorstat {
namespace {

constexpr int kPollMs = 50;

}  // namespace

std::size_t CurlReception::write(char* data, std::size_t size, std::size_t count, void* user) {
    auto& self = *static_cast<CurlReception*>(user);
    const std::size_t bytes = size * count;
    if (self.buffer.size() + bytes > self.limit) {
        self.overflow = true;
        return 0;  // aborts the transfer
    }
    self.buffer.append(data, bytes);
    return bytes;
}

void SetTransferOptions(CURL* easy, const std::string& url, std::chrono::milliseconds limit,
                        CurlReception& reception) {
    curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http");
    curl_easy_setopt(easy, CURLOPT_NOPROXY, "localhost,127.0.0.1,::1");
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_TIMEOUT_MS, static_cast<long>(limit.count()));
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &CurlReception::write);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &reception);
}

CURLcode RunTransfer(CURLM* multi, CURL* easy, const std::atomic<bool>& stop) {
    CURLcode result = CURLE_ABORTED_BY_CALLBACK;
    if (!multi || !easy)
        return result;
    curl_multi_add_handle(multi, easy);
    for (int running = 1; running && !stop;) {
        if (curl_multi_perform(multi, &running) != CURLM_OK)
            break;
        if (running)
            curl_multi_poll(multi, nullptr, 0, kPollMs, nullptr);
    }
    int left = 0;
    while (CURLMsg* message = curl_multi_info_read(multi, &left)) {
        if (message->msg == CURLMSG_DONE)
            result = message->data.result;
    }
    curl_multi_remove_handle(multi, easy);
    return result;
}

}  // namespace quorstat
