#include "console/page_fetcher.h"

#include <system_error>

#include "net/curl_transfer.h"

namespace quorstat {
namespace {

constexpr std::size_t kMaxPageBytes = 1u << 20;

}  // namespace

std::optional<std::string> FetchPage(const std::string& url, const std::atomic<bool>& stop,
                                     std::chrono::milliseconds limit) {
    const CurlApi* curl = Curl();
    if (!curl)
        return std::nullopt;
    CURL* easy = curl->easyInit();
    CURLM* multi = curl->multiInit();
    std::string page;
    CurlReception reception{page, kMaxPageBytes};
    CURLcode result = CURLE_ABORTED_BY_CALLBACK;
    long status = 0;
    if (easy && multi) {
        SetTransferOptions(*curl, easy, url, limit, reception);
        result = RunTransfer(*curl, multi, easy, stop);
        curl->easyGetinfo(easy, CURLINFO_RESPONSE_CODE, &status);
    }
    curl->multiCleanup(multi);
    curl->easyCleanup(easy);
    if (result != CURLE_OK || status != 200)
        return std::nullopt;
    return page;
}

PageFetcher::~PageFetcher() {
    stop_ = true;
    if (thread_.joinable())
        thread_.join();
}

bool PageFetcher::fetch(std::string url, Done done) {
    if (busy_)
        return false;
    if (thread_.joinable())
        thread_.join();
    busy_ = true;
    try {
        thread_ = std::thread([this, url = std::move(url), done = std::move(done)] {
            std::optional<std::string> page = FetchPage(url, stop_, kLimit);
            // Free before the callback, so whatever the callback sets going may fetch at once.
            busy_ = false;
            done(std::move(page));
        });
    } catch (const std::system_error&) {
        busy_ = false;
        return false;
    }
    return true;
}

}  // namespace quorstat
