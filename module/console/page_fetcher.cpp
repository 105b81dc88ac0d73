#include "console/page_fetcher.h"

#include <curl/curl.h>

#include <system_error>

namespace quorstat {
namespace {

constexpr std::size_t kMaxPageBytes = 1u << 20;
constexpr int kPollMs = 50;

struct Reception {
    std::string page;

    static std::size_t write(char* data, std::size_t size, std::size_t count, void* user) {
        auto& self = *static_cast<Reception*>(user);
        const std::size_t bytes = size * count;
        if (self.page.size() + bytes > kMaxPageBytes)
            return 0;  // aborts the transfer
        self.page.append(data, bytes);
        return bytes;
    }
};

}  // namespace

std::optional<std::string> FetchPage(const std::string& url, const std::atomic<bool>& stop,
                                     std::chrono::milliseconds limit) {
    CURL* easy = curl_easy_init();
    CURLM* multi = curl_multi_init();
    Reception reception;
    CURLcode result = CURLE_ABORTED_BY_CALLBACK;
    if (easy && multi) {
        curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
        curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http");
        curl_easy_setopt(easy, CURLOPT_NOPROXY, "localhost,127.0.0.1,::1");
        curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(easy, CURLOPT_TIMEOUT_MS, static_cast<long>(limit.count()));
        curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &Reception::write);
        curl_easy_setopt(easy, CURLOPT_WRITEDATA, &reception);
        curl_multi_add_handle(multi, easy);
        // Polled in short steps, so a stop is noticed at once even while connecting.
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
    }
    long status = 0;
    if (easy)
        curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &status);
    curl_multi_cleanup(multi);
    curl_easy_cleanup(easy);
    if (result != CURLE_OK || status != 200)
        return std::nullopt;
    return std::move(reception.page);
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
            done(FetchPage(url, stop_, kLimit));
            busy_ = false;
        });
    } catch (const std::system_error&) {
        busy_ = false;
        return false;
    }
    return true;
}

}  // namespace quorstat
