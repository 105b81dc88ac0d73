#include "net/http_transfer.h"

#include "core/text_codec.h"
#include "net/curl_transfer.h"
#include "net/request_types.h"
#include "net/server_endpoint.h"

namespace quorstat {
namespace {

constexpr std::size_t kKeptBufferBytes = 1u << 20;

int progress(void* stop, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    return *static_cast<const std::atomic<bool>*>(stop) ? 1 : 0;
}

}  // namespace

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
    CurlReception reception{buffer_, limits_.maxReplyBytes};
    SetTransferOptions(easy_, url, limits_.total, reception);
    curl_easy_setopt(easy_, CURLOPT_POST, 1L);
    curl_easy_setopt(easy_, CURLOPT_POSTFIELDS, body.data());
    curl_easy_setopt(easy_, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
    curl_easy_setopt(easy_, CURLOPT_HTTPHEADER, headers_);
    curl_easy_setopt(easy_, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(easy_, CURLOPT_XFERINFOFUNCTION, &progress);
    curl_easy_setopt(easy_, CURLOPT_XFERINFODATA, &stop);
    const CURLcode result = RunTransfer(multi_, easy_, stop);

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
