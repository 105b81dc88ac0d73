#pragma once

#include <httplib.h>

#include <chrono>
#include <functional>
#include <string>
#include <string_view>
#include <thread>

namespace quorstat::testing {

// An HTTP server on a free loopback port, listening on a thread of its own from construction to
// destruction. Its routes are set before it listens.
class LoopbackServer {
public:
    using Routes = std::function<void(httplib::Server&)>;

    explicit LoopbackServer(const Routes& routes) {
        server_.set_tcp_nodelay(true);
        routes(server_);
        port_ = server_.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server_.listen_after_bind(); });
        // Stopping a server that has not begun to listen would leave it listening for ever.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (port_ > 0 && !server_.is_running() && std::chrono::steady_clock::now() < deadline)
            std::this_thread::yield();
    }
    ~LoopbackServer() {
        server_.stop();
        thread_.join();
    }
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    int port() const { return port_; }
    std::string address() const { return "127.0.0.1:" + std::to_string(port_); }
    std::string url(std::string_view path) const {
        return "http://" + address() + std::string(path);
    }

private:
    httplib::Server server_;
    int port_ = 0;
    std::thread thread_;
};

}  // namespace quorstat::testing
