#include "console/page_fetcher.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <condition_variable>
#include <future>
#include <mutex>

#include "loopback_server.h"

namespace quorstat {
namespace {

using namespace std::chrono_literals;

// Serves one page, answers 404 elsewhere, and can hold its answers back until released.
class PageServer {
public:
    PageServer()
        : server_([this](httplib::Server& server) {
              server.Get("/page.html",
                         [this](const httplib::Request&, httplib::Response& response) {
                             std::unique_lock lock(mutex_);
                             released_.wait(lock, [this] { return !stalled_; });
                             response.set_content("<b>开奖</b>", "text/html");
                         });
          }) {}
    ~PageServer() { release(); }
    std::string url(const std::string& path) const { return server_.url(path); }
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
    std::mutex mutex_;
    std::condition_variable released_;
    bool stalled_ = false;
    testing::LoopbackServer server_;  // last: it goes first, while the handler's state still lives
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

    // The fetcher is free as soon as its callback has been called.
    server.stall();
    std::promise<std::optional<std::string>> stalled;
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
