#pragma once

#include <httplib.h>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

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

    explicit ScriptedService(Script script) : script_(std::move(script)) {
        server_.set_tcp_nodelay(true);
        server_.Post(".*", [this](const httplib::Request& request, httplib::Response& response) {
            Exchange exchange{request.path, request.body, request.get_header_value("Content-Type"),
                              request.has_header("User-Agent"), request.has_header("Expect")};
            {
                std::unique_lock lock(mutex_);
                exchanges_.push_back(exchange);
                changed_.notify_all();
                changed_.wait(lock, [this] { return !stalled_; });
            }
            response.set_content(script_(exchange), "text/plain");
        });
        port_ = server_.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server_.listen_after_bind(); });
        // Stopping a server that has not begun to listen would leave it listening for ever.
        while (!server_.is_running())
            std::this_thread::yield();
    }

    ~ScriptedService() {
        release();
        server_.stop();
        thread_.join();
    }

    int port() const { return port_; }

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
    Script script_;
    httplib::Server server_;
    int port_ = 0;
    std::thread thread_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Exchange> exchanges_;
    bool stalled_ = false;
};

}  // namespace quorstat
