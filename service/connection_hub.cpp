#include "service/connection_hub.h"

#include <arpa/inet.h>
#include <fmt/format.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/epoll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "core/text_codec.h"
#include "service/reply_writer.h"
#include "service/request_framing.h"

namespace quorstat::service {
namespace {

// Many clients may connect at once; the library's queue of 5 would leave them to the kernel's
// retransmission.
constexpr int kListenBacklog = 512;
constexpr int kMaxEvents = 64;
constexpr std::chrono::milliseconds kTimerStep{50};
// After a refusal the rest of the request is read and dropped for a while, so that the client
// sees the reply rather than a reset.
constexpr std::chrono::milliseconds kDrainTime{2000};
constexpr std::chrono::milliseconds kAcceptPause{100};
constexpr std::size_t kReadChunk = 16 * 1024;
constexpr std::size_t kKeptBufferBytes = 64 * 1024;

const char* reasonPhrase(int status) {
    switch (status) {
        case 408:
            return "Request Timeout";
        case 411:
            return "Length Required";
        case 413:
            return "Payload Too Large";
        case 415:
            return "Unsupported Media Type";
        case 431:
            return "Request Header Fields Too Large";
        case 503:
            return "Service Unavailable";
        default:
            return "Bad Request";
    }
}

std::string refusalText(int status) {
    const std::string body = ToAnsi(ReplyWriter::httpFailure(status));
    return fmt::format(
        "HTTP/1.1 {} {}\r\nContent-Type: {}\r\nContent-Length: {}\r\nConnection: close\r\n\r\n{}",
        status, reasonPhrase(status), kReplyContentType, body.size(), body);
}

RequestStream::Endpoint endpointOf(const sockaddr_storage& address) {
    char text[INET6_ADDRSTRLEN] = {};
    RequestStream::Endpoint endpoint;
    if (address.ss_family == AF_INET) {
        const auto& v4 = reinterpret_cast<const sockaddr_in&>(address);
        ::inet_ntop(AF_INET, &v4.sin_addr, text, sizeof text);
        endpoint.port = ntohs(v4.sin_port);
    } else if (address.ss_family == AF_INET6) {
        const auto& v6 = reinterpret_cast<const sockaddr_in6&>(address);
        ::inet_ntop(AF_INET6, &v6.sin6_addr, text, sizeof text);
        endpoint.port = ntohs(v6.sin6_port);
    }
    endpoint.address = text;
    return endpoint;
}

void shrink(std::string& buffer) {
    if (buffer.empty() && buffer.capacity() > kKeptBufferBytes)
        std::string().swap(buffer);
}

bool wouldBlock() {
    return errno == EAGAIN || errno == EWOULDBLOCK;
}

}  // namespace

struct ConnectionHub::Connection {
    enum class Phase { Reading, Answering, Writing, Draining };

    int socket = -1;
    RequestStream::Endpoint peer;
    Phase phase = Phase::Reading;
    std::string input;
    std::size_t requestLength = 0;
    std::string output;
    std::size_t sent = 0;
    bool keepOpen = true;
    bool drainAfterReply = false;
    bool peerClosed = false;
    bool continueSent = false;
    std::size_t drained = 0;
    std::uint32_t watched = 0;
    Clock::time_point requestStart;
    Clock::time_point lastProgress;
    Clock::time_point deadline = Clock::time_point::max();
};

ConnectionHub::ConnectionHub(const ConnectionPolicy& policy, std::size_t maxBodyBytes, Serve serve)
    : policy_(policy), maxBodyBytes_(maxBodyBytes), serve_(std::move(serve)) {}

ConnectionHub::~ConnectionHub() {
    stop();
    if (listenSocket_ >= 0)
        ::close(listenSocket_);
}

int ConnectionHub::listen(const std::string& address, int port) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_PASSIVE;
    addrinfo* found = nullptr;
    if (::getaddrinfo(address.c_str(), std::to_string(port).c_str(), &hints, &found) != 0)
        return -1;
    for (const addrinfo* candidate = found; candidate && listenSocket_ < 0;
         candidate = candidate->ai_next) {
        const int socket = ::socket(candidate->ai_family,
                                    candidate->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        const int yes = 1;
        if (socket >= 0 && ::setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes) == 0 &&
            ::bind(socket, candidate->ai_addr, candidate->ai_addrlen) == 0 &&
            ::listen(socket, kListenBacklog) == 0)
            listenSocket_ = socket;
        else if (socket >= 0)
            ::close(socket);
    }
    ::freeaddrinfo(found);
    sockaddr_storage bound{};
    socklen_t size = sizeof bound;
    if (listenSocket_ < 0 ||
        ::getsockname(listenSocket_, reinterpret_cast<sockaddr*>(&bound), &size) != 0)
        return -1;
    local_ = endpointOf(bound);
    return local_.port;
}

void ConnectionHub::start() {
    epoll_ = ::epoll_create1(EPOLL_CLOEXEC);
    wake_ = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    for (const int socket : {listenSocket_, wake_}) {
        epoll_event event{};
        event.events = EPOLLIN;
        event.data.fd = socket;
        ::epoll_ctl(epoll_, EPOLL_CTL_ADD, socket, &event);
    }
    workers_ = std::make_unique<httplib::ThreadPool>(static_cast<std::size_t>(policy_.workers));
    thread_ = std::thread([this] { run(); });
}

void ConnectionHub::stop() {
    if (!thread_.joinable())
        return;
    stopping_ = true;
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(wake_, &one, sizeof one);
    thread_.join();
    workers_->shutdown();
    for (const auto& [socket, connection] : connections_)
        ::close(socket);
    connections_.clear();
    connectionsPerPeer_.clear();
    ::close(listenSocket_);
    ::close(epoll_);
    ::close(wake_);
    listenSocket_ = epoll_ = wake_ = -1;
}

void ConnectionHub::run() {
    epoll_event events[kMaxEvents];
    while (!stopping_) {
        const int count =
            ::epoll_wait(epoll_, events, kMaxEvents, static_cast<int>(kTimerStep.count()));
        for (int i = 0; i < count && !stopping_; ++i)
            dispatch(events[i].data.fd);
        expire(Clock::now());
    }
}

void ConnectionHub::dispatch(int socket) {
    if (socket == listenSocket_) {
        accept();
        return;
    }
    if (socket == wake_) {
        std::uint64_t count = 0;
        [[maybe_unused]] const ssize_t read = ::read(wake_, &count, sizeof count);
        collectAnswered();
        return;
    }
    const auto found = connections_.find(socket);
    if (found == connections_.end())
        return;
    Connection& connection = *found->second;
    switch (connection.phase) {
        case Connection::Phase::Reading:
            receive(connection);
            break;
        case Connection::Phase::Writing:
            send(connection);
            break;
        case Connection::Phase::Draining:
            drain(connection);
            break;
        case Connection::Phase::Answering:
            break;
    }
}

void ConnectionHub::accept() {
    for (;;) {
        sockaddr_storage address{};
        socklen_t size = sizeof address;
        const int socket = ::accept4(listenSocket_, reinterpret_cast<sockaddr*>(&address), &size,
                                     SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (socket < 0) {
            if (errno == EINTR || errno == ECONNABORTED)
                continue;
            if (!wouldBlock())
                pauseAccepting(Clock::now());
            return;
        }
        RequestStream::Endpoint peer = endpointOf(address);
        const auto held = connectionsPerPeer_.find(peer.address);
        if (held != connectionsPerPeer_.end() && held->second >= policy_.connectionsPerPeer) {
            const std::string refusal = refusalText(503);
            [[maybe_unused]] const ssize_t sent =
                ::send(socket, refusal.data(), refusal.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
            ::close(socket);
            continue;
        }
        ++connectionsPerPeer_[peer.address];
        // Replies are written whole; the rest of a long one must not wait for an acknowledgement.
        const int yes = 1;
        ::setsockopt(socket, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);
        auto connection = std::make_unique<Connection>();
        connection->socket = socket;
        connection->peer = std::move(peer);
        connection->lastProgress = Clock::now();
        setDeadline(*connection, connection->lastProgress);
        watch(*connection, EPOLLIN | EPOLLRDHUP);
        connections_.emplace(socket, std::move(connection));
    }
}

// Reads what has come, up to one request's worth beyond what is kept.
void ConnectionHub::receive(Connection& connection) {
    const std::size_t limit = RequestFrame::kMaxHeaderBytes + maxBodyBytes_ + kReadChunk;
    char buffer[kReadChunk];
    while (connection.input.size() < limit) {
        const ssize_t count = ::recv(connection.socket, buffer, sizeof buffer, 0);
        if (count > 0) {
            const Clock::time_point now = Clock::now();
            if (connection.input.empty())
                connection.requestStart = now;
            connection.input.append(buffer, static_cast<std::size_t>(count));
            connection.lastProgress = now;
        } else if (count == 0) {
            connection.peerClosed = true;
            break;
        } else if (errno != EINTR) {
            if (!wouldBlock()) {
                close(connection);
                return;
            }
            break;
        }
    }
    frame(connection);
}

void ConnectionHub::frame(Connection& connection) {
    RequestFrame frame = frameRequest(connection.input, maxBodyBytes_);
    switch (frame.state) {
        case RequestFrame::State::Refused:
            refuse(connection, frame.status);
            return;
        case RequestFrame::State::Incomplete:
            if (connection.peerClosed) {
                close(connection);
                return;
            }
            if (frame.expectLineLength > 0 && !connection.continueSent) {
                static constexpr std::string_view kContinue = "HTTP/1.1 100 Continue\r\n\r\n";
                connection.continueSent = true;
                [[maybe_unused]] const ssize_t sent =
                    ::send(connection.socket, kContinue.data(), kContinue.size(),
                           MSG_NOSIGNAL | MSG_DONTWAIT);
            }
            setDeadline(connection, Clock::now());
            watch(connection, EPOLLIN | EPOLLRDHUP);
            return;
        case RequestFrame::State::Complete:
            // The expectation is met here; the library would answer it a second time.
            connection.input.erase(frame.expectLineStart, frame.expectLineLength);
            handOff(connection, frame.length - frame.expectLineLength);
            return;
    }
}

void ConnectionHub::handOff(Connection& connection, std::size_t length) {
    connection.phase = Connection::Phase::Answering;
    connection.requestLength = length;
    connection.deadline = Clock::time_point::max();
    watch(connection, 0);
    workers_->enqueue([this, &connection] { answer(connection); });
}

// On a worker. The hub leaves a connection alone while it is being answered.
void ConnectionHub::answer(Connection& connection) {
    const std::string_view request(connection.input.data(), connection.requestLength);
    RequestStream stream(request, connection.output, connection.peer, local_, connection.socket);
    try {
        connection.keepOpen =
            serve_(stream, stopping_ || connection.peerClosed) && !connection.peerClosed;
    } catch (...) {
        connection.output.clear();
        connection.keepOpen = false;
    }
    // The reply goes out at once as far as the socket takes it; the hub sends the rest.
    flush(connection);
    {
        std::lock_guard lock(answeredLock_);
        answered_.push_back(connection.socket);
    }
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(wake_, &one, sizeof one);
}

void ConnectionHub::collectAnswered() {
    std::vector<int> answered;
    {
        std::lock_guard lock(answeredLock_);
        answered.swap(answered_);
    }
    for (const int socket : answered) {
        Connection& connection = *connections_.at(socket);
        connection.input.erase(0, connection.requestLength);
        connection.continueSent = false;
        connection.phase = Connection::Phase::Writing;
        connection.lastProgress = Clock::now();
        send(connection);
    }
}

ConnectionHub::Flush ConnectionHub::flush(Connection& connection) {
    while (connection.sent < connection.output.size()) {
        const ssize_t count =
            ::send(connection.socket, connection.output.data() + connection.sent,
                   connection.output.size() - connection.sent, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (count > 0) {
            connection.sent += static_cast<std::size_t>(count);
            connection.lastProgress = Clock::now();
        } else if (count < 0 && wouldBlock()) {
            return Flush::Blocked;
        } else if (count == 0 || errno != EINTR) {
            return Flush::Failed;
        }
    }
    return Flush::Done;
}

void ConnectionHub::send(Connection& connection) {
    switch (flush(connection)) {
        case Flush::Blocked:
            setDeadline(connection, Clock::now());
            watch(connection, EPOLLOUT);
            return;
        case Flush::Failed:
            close(connection);
            return;
        case Flush::Done:
            break;
    }
    connection.output.clear();
    connection.sent = 0;
    shrink(connection.output);
    shrink(connection.input);
    const Clock::time_point now = Clock::now();
    if (connection.drainAfterReply) {
        ::shutdown(connection.socket, SHUT_WR);
        connection.phase = Connection::Phase::Draining;
        connection.deadline = now + kDrainTime;
        watch(connection, EPOLLIN | EPOLLRDHUP);
    } else if (!connection.keepOpen || stopping_) {
        close(connection);
    } else {
        connection.phase = Connection::Phase::Reading;
        connection.requestStart = now;
        connection.lastProgress = now;
        frame(connection);
    }
}

void ConnectionHub::drain(Connection& connection) {
    const std::size_t limit = RequestFrame::kMaxHeaderBytes + maxBodyBytes_;
    char buffer[kReadChunk];
    for (;;) {
        const ssize_t count = ::recv(connection.socket, buffer, sizeof buffer, 0);
        if (count > 0 && (connection.drained += static_cast<std::size_t>(count)) <= limit)
            continue;
        if (count < 0 && (errno == EINTR || wouldBlock()))
            return;
        close(connection);
        return;
    }
}

void ConnectionHub::refuse(Connection& connection, int status) {
    connection.input.clear();
    connection.output = refusalText(status);
    connection.sent = 0;
    connection.keepOpen = false;
    connection.drainAfterReply = true;
    connection.phase = Connection::Phase::Writing;
    connection.lastProgress = Clock::now();
    send(connection);
}

void ConnectionHub::close(Connection& connection) {
    const int socket = connection.socket;
    const auto held = connectionsPerPeer_.find(connection.peer.address);
    if (held != connectionsPerPeer_.end() && --held->second <= 0)
        connectionsPerPeer_.erase(held);
    ::close(socket);
    connections_.erase(socket);
}

// A connection idle too long closes quietly; a request that stalls or runs past its time gets
// HTTP 408; a reply nobody takes, or the rest of a refused request, is given up.
void ConnectionHub::expire(Clock::time_point now) {
    if (acceptPausedUntil_ != Clock::time_point{} && now >= acceptPausedUntil_) {
        acceptPausedUntil_ = {};
        epoll_event event{};
        event.events = EPOLLIN;
        event.data.fd = listenSocket_;
        ::epoll_ctl(epoll_, EPOLL_CTL_ADD, listenSocket_, &event);
    }
    std::vector<Connection*> expired;
    for (const auto& [socket, connection] : connections_)
        if (connection->deadline <= now)
            expired.push_back(connection.get());
    for (Connection* connection : expired) {
        if (connection->phase == Connection::Phase::Reading && !connection->input.empty())
            refuse(*connection, 408);
        else
            close(*connection);
    }
}

void ConnectionHub::watch(Connection& connection, std::uint32_t events) {
    if (connection.watched == events)
        return;
    epoll_event event{};
    event.events = events;
    event.data.fd = connection.socket;
    const int operation = events == 0               ? EPOLL_CTL_DEL
                          : connection.watched == 0 ? EPOLL_CTL_ADD
                                                    : EPOLL_CTL_MOD;
    ::epoll_ctl(epoll_, operation, connection.socket, &event);
    connection.watched = events;
}

void ConnectionHub::setDeadline(Connection& connection, Clock::time_point now) {
    using std::chrono::milliseconds;
    const Clock::time_point whole = connection.requestStart + milliseconds(policy_.requestMillis);
    if (connection.phase == Connection::Phase::Writing)
        connection.deadline =
            std::min(whole, connection.lastProgress + milliseconds(policy_.writeTimeoutMillis));
    else if (connection.input.empty())
        connection.deadline = now + milliseconds(policy_.idleMillis);
    else
        connection.deadline =
            std::min(whole, connection.lastProgress + milliseconds(policy_.readTimeoutMillis));
}

void ConnectionHub::pauseAccepting(Clock::time_point now) {
    ::epoll_ctl(epoll_, EPOLL_CTL_DEL, listenSocket_, nullptr);
    acceptPausedUntil_ = now + kAcceptPause;
}

}  // namespace quorstat::service
