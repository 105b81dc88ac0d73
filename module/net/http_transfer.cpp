#include "net/http_transfer.h"

#include "core/text_codec.h"
#include "net/request_types.h"
#include "net/server_endpoint.h"

namespace quorstat {
namespace {

constexpr std::size_t kKeptBufferBytes = 1u << 20;
constexpr int kPollMs = 50;

}  // namespace

struct HttpTransfer::Reception {
    std::string& buffer;
    std::size_t limit;
    const std::atomic<bool>& stop;
    bool overflow = false;

    static std::size_t write(char* data, std::size_t size, std::size_t count, void* user) {
        auto& self = *static_cast<Reception*>(user);
        const std::size_t bytes = size * count;
        if (self.buffer.size() + bytes > self.limit) {
            self.overflow = true;
            return 0;  // aborts the transfer
        }
        self.buffer.append(data, bytes);
        return bytes;
    }

    static int progress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
        return static_cast<Reception*>(user)->stop ? 1 : 0;
    }
};

HttpTransfer::HttpTransfer(std::string host, int port, std::string path, TransferLimits limits)
    : host_(std::move(host)), port_(port), path_(std::move(path)), limits_(limits) {
    easy_ = curl_easy_init();
    multi_ = curl_multi_init();
    // An ordinary form post: curl would otherwise ask larger bodies to wait for "100 Continue".
    headers_ = curl_slist_append(nullptr, "Expect:");
}

HttpTransfer::~HttpTransfer() {
    curl_slist_free_all(headers_);
    curl_multi_cleanup(multi_);
    curl_easy_cleanup(easy_);
}

void HttpTransfer::perform(ServiceRequest& request, const std::atomic<bool>& stop) {
    request.reply.clear();
    request.transferFailed = true;
    if (!easy_ || !multi_)
        return;

    const std::string url = RequestUrl(host_, port_, path_, RequestPage(request.type));
    const std::string body = ToAnsi(request.body);
    Reception reception{buffer_, limits_.maxReplyBytes, stop};
    curl_easy_setopt(easy_, CURLOPT_URL, url.c_str());
    curl_easy_setopt(easy_, CURLOPT_POST, 1L);
    curl_easy_setopt(easy_, CURLOPT_POSTFIELDS, body.data());
    curl_easy_setopt(easy_, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
    curl_easy_setopt(easy_, CURLOPT_HTTPHEADER, headers_);
    curl_easy_setopt(easy_, CURLOPT_PROTOCOLS_STR, "http");
    curl_easy_setopt(easy_, CURLOPT_NOPROXY, "localhost,127.0.0.1,::1");
    curl_easy_setopt(easy_, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy_, CURLOPT_TIMEOUT_MS, static_cast<long>(limits_.total.count()));
    curl_easy_setopt(easy_, CURLOPT_WRITEFUNCTION, &Reception::write);
    curl_easy_setopt(easy_, CURLOPT_WRITEDATA, &reception);
    curl_easy_setopt(easy_, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(easy_, CURLOPT_XFERINFOFUNCTION, &Reception::progress);
    curl_easy_setopt(easy_, CURLOPT_XFERINFODATA, &reception);

    CURLcode result = CURLE_ABORTED_BY_CALLBACK;
    curl_multi_add_handle(multi_, easy_);
    for (int running = 1; running && !stop;) {
        if (curl_multi_perform(multi_, &running) != CURLM_OK)
            break;
        if (running)
            curl_multi_poll(multi_, nullptr, 0, kPollMs, nullptr);
    }
    int left = 0;
    while (CURLMsg* message = curl_multi_info_read(multi_, &left)) {
        if (message->msg == CURLMSG_DONE)
            result = message->data.result;
    }
    curl_multi_remove_handle(multi_, easy_);

    long status = 0;
    curl_easy_getinfo(easy_, CURLINFO_RESPONSE_CODE, &status);
    request.transferFailed = result != CURLE_OK || status >= 400;
    if (!reception.overflow)
        request.reply = FromAnsi(buffer_);
    buffer_.clear();
    if (buffer_.capacity() > kKeptBufferBytes)
        std::string().swap(buffer_);
}

}  // namespace quorstat
