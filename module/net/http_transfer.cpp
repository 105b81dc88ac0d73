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
    : host_(std::move(host)), port_(port), path_(std::move(path)), limits_(limits) {}

HttpTransfer::~HttpTransfer() {
    if (!curl_)
        return;
    curl_->slistFreeAll(headers_);
    curl_->multiCleanup(multi_);
    curl_->easyCleanup(easy_);
}

// Made at the first request rather than with the worker, so that opening libcurl never competes
// with the program's start for the loader.
bool HttpTransfer::ready() {
    if (!curl_) {
        curl_ = Curl();
        if (!curl_)
            return false;
        easy_ = curl_->easyInit();
        multi_ = curl_->multiInit();
        // An ordinary form post: curl would otherwise ask larger bodies to wait for "100
        // Continue".
        headers_ = curl_->slistAppend(nullptr, "Expect:");
    }
    return easy_ && multi_;
}

void HttpTransfer::perform(ServiceRequest& request, const std::atomic<bool>& stop) {
    request.reply.clear();
    request.transferFailed = true;
    if (!ready())
        return;

    const std::string url = RequestUrl(host_, port_, path_, RequestPage(request.type));
    const std::string body = ToAnsi(request.body);
    CurlReception reception{buffer_, limits_.maxReplyBytes};
    SetTransferOptions(*curl_, easy_, url, limits_.total, reception);
    curl_->easySetopt(easy_, CURLOPT_POST, 1L);
    curl_->easySetopt(easy_, CURLOPT_POSTFIELDS, body.data());
    curl_->easySetopt(easy_, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
    curl_->easySetopt(easy_, CURLOPT_HTTPHEADER, headers_);
    curl_->easySetopt(easy_, CURLOPT_NOPROGRESS, 0L);
    curl_->easySetopt(easy_, CURLOPT_XFERINFOFUNCTION, &progress);
    curl_->easySetopt(easy_, CURLOPT_XFERINFODATA, &stop);
    const CURLcode result = RunTransfer(*curl_, multi_, easy_, stop);

    long status = 0;
    curl_->easyGetinfo(easy_, CURLINFO_RESPONSE_CODE, &status);
    request.transferFailed = result != CURLE_OK || status >= 400;
    if (!reception.overflow)
        request.reply = FromAnsi(buffer_);
    buffer_.clear();
    if (buffer_.capacity() > kKeptBufferBytes)
        std::string().swap(buffer_);
}

}  // namespace quorstat
