#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <thread>

namespace quorstat {

// A plain HTTP GET of one page; none when it failed, was refused or was stopped.
std::optional<std::string> FetchPage(const std::string& url, const std::atomic<bool>& stop,
                                     std::chrono::milliseconds limit);

// Fetches pages on a thread of its own, one at a time, so the window never waits for the web.
// Going away stops the fetch in progress and waits the few milliseconds that takes.
class PageFetcher {
public:
    // Runs on the fetching thread, which is free for the next fetch by then; it must not call
    // fetch() itself.
    using Done = std::function<void(std::optional<std::string> page)>;

    static constexpr std::chrono::milliseconds kLimit{20000};

    PageFetcher() = default;
    ~PageFetcher();
    PageFetcher(const PageFetcher&) = delete;
    PageFetcher& operator=(const PageFetcher&) = delete;

    // False while the previous fetch still runs; waits for the previous callback to return.
    bool fetch(std::string url, Done done);

private:
    std::atomic<bool> stop_{false};
    std::atomic<bool> busy_{false};
    std::thread thread_;
};

}  // namespace quorstat
