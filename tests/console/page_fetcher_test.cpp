#include "console/page_fetcher.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <condition_variable>
#include <future>
#include <mutex>

namespace quorstat {
namespace {

using namespace std::chrono_literals;

// Serves one page, answers 404 elsewhere, and can hold its answers back until released.
class PageServer {
public:
    PageServer() {
        server_.Get("/page.html", [this](const httplib::Request&, httplib::Response& response) {
            std::unique_lock lock(mutex_);
            released_.wait(lock, [this] { return !stalled_; });
            response.set_content("<b>开奖</b>", "text/html");
        });
        port_ = server_.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server_.listen_after_bind(); });
        while (!server_.is_running())
            std::this_thread::yield();
    }
    ~PageServer() {
        release();
        server_.stop();
        thread_.join();
    }
    std::string url(const std::string& path) const {
        return "http://127.0.0.1:" + std::to_string(port_) + path;
    }
    void stall() {
        std::lock_guard lock(mutex_);
        stalled_ = true;
    }
    void release() {
        std::lock_guard lock(mutex_);
        stalled_ = false;
        released_.notify_all();
    }

private:
    httplib::Server server_;
    int port_ = 0;
    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable released_;
    bool stalled_ = false;
};

TEST(FetchPage, GivesThePageOnlyWhenItWasServed) {
    PageServer server;
    const std::atomic<bool> stop{false};
    EXPECT_EQ(FetchPage(server.url("/page.html"), stop, 5s), "<b>开奖</b>");
    EXPECT_EQ(FetchPage(server.url("/missing.html"), stop, 5s), std::nullopt);
    EXPECT_EQ(FetchPage("http://127.0.0.1:1/page.html", stop, 5s), std::nullopt);
    EXPECT_EQ(FetchPage("file:///etc/hostname", stop, 5s), std::nullopt);
}

TEST(PageFetcher, FetchesOneAtATimeAndStopsQuicklyWhenItGoes) {
    PageServer server;
    std::promise<std::optional<std::string>> first;
    auto fetcher = std::make_unique<PageFetcher>();
    ASSERT_TRUE(fetcher->fetch(server.url("/page.html"),
                               [&](std::optional<std::string> page) { first.set_value(page); }));
    EXPECT_EQ(first.get_future().get(), "<b>开奖</b>");

    server.stall();
    std::promise<std::optional<std::string>> stalled;
    std::this_thread::sleep_for(50ms);  // the first thread has reported and is ending
    ASSERT_TRUE(fetcher->fetch(server.url("/page.html"),
                               [&](std::optional<std::string> page) { stalled.set_value(page); }));
    EXPECT_FALSE(fetcher->fetch(server.url("/page.html"), [](std::optional<std::string>) {}));

    const auto start = std::chrono::steady_clock::now();
    fetcher.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
    EXPECT_EQ(stalled.get_future().get(), std::nullopt);
}

}  // namespace
}  // namespace quorstat
