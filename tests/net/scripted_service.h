#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "loopback_server.h"

namespace quorstat {

// A stand-in for the web service on a loopback port: it records what arrives and answers with
// the reply bytes its script gives. Once stalled, it holds every answer until released.
class ScriptedService {
public:
    struct Exchange {
        std::string path;
        std::string body;  // as sent, in the ANSI code page
        std::string contentType;
        bool hasUserAgent = false;
        bool hasExpect = false;
    };
    using Script = std::function<std::string(const Exchange&)>;

    explicit ScriptedService(Script script)
        : script_(std::move(script)), server_([this](httplib::Server& server) {
              server.Post(".*", [this](const httplib::Request& request,
                                       httplib::Response& response) { answer(request, response); });
          }) {}

    ~ScriptedService() { release(); }

    int port() const { return server_.port(); }

    void stall() {
        std::lock_guard lock(mutex_);
        stalled_ = true;
    }

    void release() {
        std::lock_guard lock(mutex_);
        stalled_ = false;
        changed_.notify_all();
    }

    std::vector<Exchange> exchanges() const {
        std::lock_guard lock(mutex_);
        return exchanges_;
    }

    // Waits until `count` requests have arrived; false after the timeout.
    bool waitForExchanges(std::size_t count, std::chrono::milliseconds timeout) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, timeout, [&] { return exchanges_.size() >= count; });
    }

private:
    void answer(const httplib::Request& request, httplib::Response& response) {
        Exchange exchange{request.path, request.body, request.get_header_value("Content-Type"),
                          request.has_header("User-Agent"), request.has_header("Expect")};
        {
            std::unique_lock lock(mutex_);
            exchanges_.push_back(exchange);
            changed_.notify_all();
            changed_.wait(lock, [this] { return !stalled_; });
        }
        response.set_content(script_(exchange), "text/plain");
    }

    Script script_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Exchange> exchanges_;
    bool stalled_ = false;
    testing::LoopbackServer server_;  // last: it goes first, while the handler's state still lives
};

}  // namespace quorstat
