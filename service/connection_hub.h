#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

#include "service/request_stream.h"
#include "service/service_options.h"

namespace quorstat::service {

// The service's side of the network. One thread waits on every connection (epoll) until a whole
// request has arrived, checked against the body limit, then a worker answers it and the thread
// sends the reply as the client takes it. No worker ever waits on a client, so idle and slow
// connections cost a socket each, not a worker; the policy's time limits close them, and one
// address may hold only so many.
class ConnectionHub {
public:
    // Answers one whole request into the stream; false when the connection is to be closed.
    using Serve = std::function<bool(httplib::Stream& stream, bool closeConnection)>;

    ConnectionHub(const ConnectionPolicy& policy, std::size_t maxBodyBytes, Serve serve);
    ~ConnectionHub();
    ConnectionHub(const ConnectionHub&) = delete;
    ConnectionHub& operator=(const ConnectionHub&) = delete;

    // Binds and listens; the port, or -1 when the address cannot be bound.
    int listen(const std::string& address, int port);
    void start();
    // Answers the requests the workers have, then closes every connection.
    void stop();

private:
    using Clock = std::chrono::steady_clock;
    struct Connection;
    enum class Flush { Done, Blocked, Failed };

    void run();
    void dispatch(int socket);
    void accept();
    void receive(Connection& connection);
    void frame(Connection& connection);
    void handOff(Connection& connection, std::size_t length);
    void answer(Connection& connection);
    void collectAnswered();
    static Flush flush(Connection& connection);
    void send(Connection& connection);
    void drain(Connection& connection);
    void refuse(Connection& connection, int status);
    void close(Connection& connection);
    void expire(Clock::time_point now);
    void watch(Connection& connection, std::uint32_t events);
    void setDeadline(Connection& connection, Clock::time_point now);
    void pauseAccepting(Clock::time_point now);

    ConnectionPolicy policy_;
    std::size_t maxBodyBytes_;
    Serve serve_;
    int listenSocket_ = -1;
    int epoll_ = -1;
    int wake_ = -1;
    RequestStream::Endpoint local_;
    std::unordered_map<int, std::unique_ptr<Connection>> connections_;
    std::unordered_map<std::string, int> connectionsPerPeer_;
    Clock::time_point acceptPausedUntil_{};
    std::unique_ptr<httplib::ThreadPool> workers_;
    std::mutex answeredLock_;
    std::vector<int> answered_;
    std::atomic<bool> stopping_{false};
    std::thread thread_;
};

}  // namespace quorstat::service
