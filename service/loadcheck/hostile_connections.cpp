#include "service/loadcheck/hostile_connections.h"

#include <arpa/inet.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>

namespace quorstat::service {
namespace {

constexpr auto kByteEvery = std::chrono::seconds(2);
constexpr std::string_view kRequestStart = "POST /BetInfo1/release/BetFlashTime.asp HTTP/1.1\r\n";

}  // namespace

HostileConnections::HostileConnections(int port, int idle, int slow) : port_(port) {
    for (int i = 0; i < idle + slow; ++i) {
        connections_.push_back({-1, i >= idle});
        open(connections_.back());
    }
    if (!connections_.empty())
        thread_ = std::thread([this] { run(); });
}

HostileConnections::~HostileConnections() {
    stop_ = true;
    if (thread_.joinable())
        thread_.join();
    for (const Connection& connection : connections_)
        ::close(connection.socket);
}

void HostileConnections::open(Connection& connection) {
    if (connection.socket >= 0)
        ::close(connection.socket);
    connection.socket = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    ::inet_pton(AF_INET, "127.0.0.2", &address.sin_addr);
    ::bind(connection.socket, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::inet_pton(AF_INET, "127.0.0.1", &address.sin_addr);
    address.sin_port = htons(static_cast<std::uint16_t>(port_));
    ::connect(connection.socket, reinterpret_cast<sockaddr*>(&address), sizeof address);
    if (connection.slow)
        ::send(connection.socket, kRequestStart.data(), kRequestStart.size(), MSG_NOSIGNAL);
}

bool HostileConnections::closedByService(const Connection& connection) const {
    pollfd state{connection.socket, POLLIN | POLLRDHUP, 0};
    return ::poll(&state, 1, 0) != 0;
}

void HostileConnections::run() {
    auto next = std::chrono::steady_clock::now();
    while (!stop_) {
        for (Connection& connection : connections_) {
            const bool alive = !closedByService(connection) &&
                               (!connection.slow || ::send(connection.socket, "a", 1,
                                                           MSG_NOSIGNAL | MSG_DONTWAIT) == 1);
            if (!alive) {
                open(connection);
                ++reopened_;
            }
        }
        next += kByteEvery;
        while (!stop_ && std::chrono::steady_clock::now() < next)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

}  // namespace quorstat::service
