#include <arpa/inet.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

#include "core/text_codec.h"
#include "service/request_framing.h"
#include "service_fixture.h"

namespace quorstat::service {
namespace {

using namespace std::chrono_literals;

// A client connection of its own from a chosen loopback address: 127.0.0.2 is another machine
// as far as the service can tell.
class RawConnection {
public:
    RawConnection(int port, const char* from) : socket_(::socket(AF_INET, SOCK_STREAM, 0)) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        ::inet_pton(AF_INET, from, &address.sin_addr);
        ::bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::inet_pton(AF_INET, "127.0.0.1", &address.sin_addr);
        address.sin_port = htons(static_cast<std::uint16_t>(port));
        connected_ = ::connect(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    }
    ~RawConnection() { ::close(socket_); }
    RawConnection(const RawConnection&) = delete;
    RawConnection& operator=(const RawConnection&) = delete;

    bool connected() const { return connected_; }
    bool send(std::string_view bytes) {
        return ::send(socket_, bytes.data(), bytes.size(), MSG_NOSIGNAL) ==
               static_cast<ssize_t>(bytes.size());
    }
    // What the service has sent once `marker` is among it; nothing when it has not come
    // within 10 s.
    std::optional<std::string> readUntil(std::string_view marker) {
        return read([&] { return received_.find(marker) != std::string::npos; });
    }
    // Everything the service sends until it closes the connection; nothing when it is still
    // open after 10 s.
    std::optional<std::string> readUntilClosed() {
        return read([] { return false; });
    }

private:
    template <class Done>
    std::optional<std::string> read(Done done) {
        const auto deadline = std::chrono::steady_clock::now() + 10s;
        while (!done()) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            pollfd wait{socket_, POLLIN, 0};
            if (left.count() <= 0 || ::poll(&wait, 1, static_cast<int>(left.count())) <= 0)
                return std::nullopt;
            char buffer[4096];
            const ssize_t count = ::recv(socket_, buffer, sizeof buffer, 0);
            if (count <= 0)
                break;
            received_.append(buffer, static_cast<std::size_t>(count));
        }
        return std::exchange(received_, {});
    }

    int socket_;
    bool connected_ = false;
    std::string received_;
};

std::string request(const std::string& body, const std::string& headers = "") {
    return "POST /BetInfo1/release/BetFlashTime.asp HTTP/1.1\r\nHost: x\r\nContent-Length: " +
           std::to_string(body.size()) + "\r\n" + headers + "\r\n" + body;
}

class ConnectionTest : public ServiceTest {
protected:
    void SetUp() override {
        ServiceTest::SetUp();
        demo_ = login("demo", "demo123");
    }
    void restartWith(void (*change)(ConnectionPolicy&)) {
        ServiceOptions options = defaultOptions();
        change(options.connections);
        restartService(options);
        demo_ = login("demo", "demo123");
    }
    std::string serverTimeBody() const { return ToAnsi(prefix(demo_) + "&Ver=" + base64("2.8.1")); }
    // The server-time page for an ordinary client from 127.0.0.1, which waits at most 5 s.
    std::string serverTime() {
        httplib::Client client("127.0.0.1", app_->port());
        client.set_connection_timeout(5s);
        client.set_read_timeout(5s);
        const auto result = client.Post("/BetInfo1/release/BetFlashTime.asp", serverTimeBody(),
                                        "application/x-www-form-urlencoded");
        return result ? FromAnsi(result->body) : "<no reply>";
    }

    static constexpr const char* kServerTime = "1|0|1|2013-05-01 09:15:00";
    TestSession demo_;
};

TEST(RequestFrame, FindsTheEndOfARequestBeforeAnyWorkerSeesIt) {
    using State = RequestFrame::State;
    const std::string post = "POST /p HTTP/1.1\r\nContent-Length: 5\r\n\r\n";  // 39 bytes
    const std::string expect = "Expect: 100-continue\r\n";                     // 22 bytes
    const struct {
        std::string received;
        State state;
        std::size_t lengthOrStatus;
    } cases[] = {
        {"GET / HTTP/1.1\r\nHost: x\r\n", State::Incomplete, 0},
        {"GET / HTTP/1.1\r\nHost: x\r\n\r\n", State::Complete, 27},
        {"GET / HTTP/1.1\r\n\r\nGET / HTTP/1.1\r\n\r\n", State::Complete, 18},
        {post + "abcd", State::Incomplete, 0},
        {post + "abcde", State::Complete, 44},
        {post + "abcdeGET / HTTP/1.1\r\n", State::Complete, 44},
        {"POST /p HTTP/1.1\r\ncontent-length:   5 \r\n\r\nabcde", State::Complete, 47},
        {"POST /p HTTP/1.1\r\nContent-Length: 10\r\n\r\n0123456789", State::Complete, 50},
        {"POST /p HTTP/1.1\r\nContent-Length: 11\r\n\r\n", State::Refused, 413},
        {"POST /p HTTP/1.1\r\nContent-Length: 99999999999999999999\r\n\r\n", State::Refused, 400},
        {"POST /p HTTP/1.1\r\nContent-Length: 5x\r\n\r\nabcde", State::Refused, 400},
        {"POST /p HTTP/1.1\r\nContent-Length: 5\r\nContent-Length: 6\r\n\r\n", State::Refused, 400},
        {"POST /p HTTP/1.1\r\nContent-Length: 3\r\nContent-Length: 3\r\n\r\nabc", State::Complete,
         61},
        {"POST /p HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n", State::Refused, 411},
        {"POST /p HTTP/1.1\r\nContent-Encoding: gzip\r\n\r\n", State::Refused, 415},
        {"POST /p HTTP/1.1\r\nContent-Encoding: identity\r\n\r\n", State::Complete, 48},
        {"GET / HTTP/1.1\r\nX: " + std::string(16 * 1024, 'a'), State::Refused, 431},
        {"GET / HTTP/1.1\r\nX: " + std::string(16 * 1024, 'a') + "\r\n\r\n", State::Refused, 431},
        {post.substr(0, 18) + expect + post.substr(18) + "abcde", State::Complete, 66},
    };
    for (const auto& test : cases) {
        const RequestFrame frame = frameRequest(test.received, 10);
        EXPECT_EQ(frame.state, test.state) << test.received.substr(0, 60);
        EXPECT_EQ(frame.state == State::Refused ? std::size_t(frame.status) : frame.length,
                  test.lengthOrStatus)
            << test.received.substr(0, 60);
    }
    const RequestFrame waiting = frameRequest(post.substr(0, 18) + expect + post.substr(18), 10);
    EXPECT_EQ(waiting.state, State::Incomplete);
    EXPECT_EQ(waiting.expectLineStart, 18u);
    EXPECT_EQ(waiting.expectLineLength, 22u);
}

// Eight connections that send a header byte now and then while two workers serve: none of them
// holds a worker, so an ordinary client is answered all along.
TEST_F(ConnectionTest, TricklingConnectionsDoNotStopOtherClients) {
    restartWith([](ConnectionPolicy& policy) { policy.workers = 2; });
    std::mutex lock;
    std::condition_variable changed;
    bool stop = false;
    int trickling = 0;
    std::vector<std::thread> tricklers;
    for (int i = 0; i < 8; ++i) {
        tricklers.emplace_back([&, port = app_->port()] {
            RawConnection connection(port, "127.0.0.2");
            const std::string header =
                "POST /BetInfo1/release/BetFlashTime.asp HTTP/1.1\r\nX-Pad: " +
                std::string(4000, 'a');
            std::unique_lock guard(lock);
            for (std::size_t at = 0; at < header.size() && !stop; ++at) {
                guard.unlock();
                const bool sent = connection.send(header.substr(at, 1));
                guard.lock();
                if (!sent)
                    break;
                if (at == 0 && ++trickling == 8)
                    changed.notify_all();
                changed.wait_for(guard, 20ms, [&] { return stop; });
            }
        });
    }
    {
        std::unique_lock guard(lock);
        ASSERT_TRUE(changed.wait_for(guard, 10s, [&] { return trickling == 8; }));
    }
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(serverTime(), kServerTime);
    {
        std::lock_guard guard(lock);
        stop = true;
    }
    changed.notify_all();
    for (std::thread& trickler : tricklers)
        trickler.join();
}

TEST_F(ConnectionTest, IdleConnectionsCostNoWorker) {
    restartWith([](ConnectionPolicy& policy) {
        policy.workers = 2;
        policy.connectionsPerPeer = 400;
    });
    std::vector<std::unique_ptr<RawConnection>> idle;
    for (int i = 0; i < 300; ++i) {
        idle.push_back(std::make_unique<RawConnection>(app_->port(), "127.0.0.2"));
        ASSERT_TRUE(idle.back()->connected());
    }
    EXPECT_EQ(serverTime(), kServerTime);
}

TEST_F(ConnectionTest, OneAddressHoldsOnlySoManyConnections) {
    restartWith([](ConnectionPolicy& policy) { policy.connectionsPerPeer = 3; });
    std::vector<std::unique_ptr<RawConnection>> held;
    for (int i = 0; i < 3; ++i)
        held.push_back(std::make_unique<RawConnection>(app_->port(), "127.0.0.2"));
    RawConnection fourth(app_->port(), "127.0.0.2");
    const std::optional<std::string> refusal = fourth.readUntilClosed();
    ASSERT_TRUE(refusal);
    EXPECT_TRUE(refusal->starts_with("HTTP/1.1 503 Service Unavailable\r\n")) << *refusal;
    EXPECT_TRUE(refusal->ends_with(ToAnsi("\r\n\r\n0|连接过多，请稍后再试|"))) << *refusal;
    EXPECT_EQ(serverTime(), kServerTime);

    // Once one of them is gone, the address may connect again.
    held.pop_back();
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    std::string reply;
    while (!reply.starts_with("HTTP/1.1 200") && std::chrono::steady_clock::now() < deadline) {
        RawConnection again(app_->port(), "127.0.0.2");
        again.send(request(serverTimeBody(), "Connection: close\r\n"));
        reply = again.readUntilClosed().value_or("");
    }
    EXPECT_TRUE(reply.ends_with(kServerTime)) << reply;
}

// A connection with nothing to say is closed quietly; a request that stalls, or that takes
// longer than the request time as a whole, gets HTTP 408.
TEST_F(ConnectionTest, IdleStalledAndEndlessRequestsAreCut) {
    restartWith([](ConnectionPolicy& policy) {
        policy.idleMillis = 300;
        policy.readTimeoutMillis = 300;
        policy.requestMillis = 1500;
    });
    const std::string timedOut = "\r\n\r\n" + ToAnsi("0|请求超时|");
    const struct {
        std::string sent;
        bool endless;
        std::string statusLine;
        std::string ending;
    } cases[] = {
        {"", false, "", ""},
        {"POST /BetInfo1/release/BetFlashTime.asp HTTP/1.1\r\nHost:", false,
         "HTTP/1.1 408 Request Timeout\r\n", timedOut},
        {request(serverTimeBody()).substr(0, 150), false, "HTTP/1.1 408 Request Timeout\r\n",
         timedOut},
        {"POST /BetInfo1/release/BetFlashTime.asp HTTP/1.1\r\nX-Pad: ", true,
         "HTTP/1.1 408 Request Timeout\r\n", timedOut},
    };
    for (const auto& test : cases) {
        RawConnection connection(app_->port(), "127.0.0.1");
        connection.send(test.sent);
        std::atomic<bool> closed = false;
        std::thread trickler([&] {
            while (test.endless && !closed && connection.send("a"))
                std::this_thread::sleep_for(100ms);
        });
        const std::optional<std::string> received = connection.readUntilClosed();
        closed = true;
        trickler.join();
        ASSERT_TRUE(received) << test.sent;
        EXPECT_TRUE(received->starts_with(test.statusLine)) << *received;
        EXPECT_TRUE(received->ends_with(test.ending)) << *received;
    }
    EXPECT_EQ(serverTime(), kServerTime);
}

TEST_F(ConnectionTest, RequestsFollowOneAnotherOnAConnection) {
    const std::string body = serverTimeBody();
    RawConnection connection(app_->port(), "127.0.0.1");
    connection.send(request(body) + request(body, "Connection: close\r\n"));
    const std::optional<std::string> replies = connection.readUntilClosed();
    ASSERT_TRUE(replies);
    const std::size_t first = replies->find(kServerTime);
    ASSERT_NE(first, std::string::npos) << *replies;
    EXPECT_NE(replies->find(kServerTime, first + 1), std::string::npos) << *replies;

    // A client that waits for "100 Continue" before it sends the body.
    const std::string waiting = request(body, "Expect: 100-continue\r\n");
    RawConnection patient(app_->port(), "127.0.0.1");
    patient.send(waiting.substr(0, waiting.size() - body.size()));
    EXPECT_EQ(patient.readUntil("\r\n\r\n"), "HTTP/1.1 100 Continue\r\n\r\n");
    patient.send(body);
    const std::optional<std::string> reply = patient.readUntil(kServerTime);
    ASSERT_TRUE(reply);
    EXPECT_TRUE(reply->starts_with("HTTP/1.1 200 OK\r\n")) << *reply;

    // A body over the limit is refused from its header on, before it is sent.
    RawConnection oversized(app_->port(), "127.0.0.1");
    oversized.send(
        "POST /BetInfo1/release/BetFlashTime.asp HTTP/1.1\r\nContent-Length: 2097153\r\n"
        "Expect: 100-continue\r\n\r\n");
    const std::optional<std::string> refusal = oversized.readUntilClosed();
    ASSERT_TRUE(refusal);
    EXPECT_TRUE(refusal->starts_with("HTTP/1.1 413 Payload Too Large\r\n")) << *refusal;
    EXPECT_TRUE(refusal->ends_with(ToAnsi("0|请求数据过长|"))) << *refusal;
}

}  // namespace
}  // namespace quorstat::service
