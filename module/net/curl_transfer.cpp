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

void SetTransferOptions(const CurlApi& curl, CURL* easy, const std::string& url,
                        std::chrono::milliseconds limit, CurlReception& reception) {
    curl.easySetopt(easy, CURLOPT_URL, url.c_str());
    curl.easySetopt(easy, CURLOPT_PROTOCOLS_STR, "http");
    curl.easySetopt(easy, CURLOPT_NOPROXY, "localhost,127.0.0.1,::1");
    curl.easySetopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl.easySetopt(easy, CURLOPT_TIMEOUT_MS, static_cast<long>(limit.count()));
    curl.easySetopt(easy, CURLOPT_WRITEFUNCTION, &CurlReception::write);
    curl.easySetopt(easy, CURLOPT_WRITEDATA, &reception);
}

CURLcode RunTransfer(const CurlApi& curl, CURLM* multi, CURL* easy, const std::atomic<bool>& stop) {
    CURLcode result = CURLE_ABORTED_BY_CALLBACK;
    if (!multi || !easy)
        return result;
    curl.multiAddHandle(multi, easy);
    for (int running = 1; running && !stop;) {
        if (curl.multiPerform(multi, &running) != CURLM_OK)
            break;
        if (running)
            curl.multiPoll(multi, nullptr, 0, kPollMs, nullptr);
    }
    int left = 0;
    while (CURLMsg* message = curl.multiInfoRead(multi, &left)) {
        if (message->msg == CURLMSG_DONE)
            result = message->data.result;
    }
    curl.multiRemoveHandle(multi, easy);
    return result;
}

}  // namespace quorstat
