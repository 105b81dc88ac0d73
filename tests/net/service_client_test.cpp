#include "net/service_client.h"

#include <gtest/gtest.h>

#include "core/text_codec.h"
#include "net/request_types.h"
#include "scripted_service.h"

namespace quorstat {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

struct Delivered {
    int type;
    std::string reply;
    std::intptr_t context1;
    std::intptr_t context2;
    bool transferFailed;
};

// Stands in for the central window; runs on the worker's thread in these tests.
class RecordingHandler : public RequestHandler {
public:
    std::function<void(ServiceRequest&)> onDone;

    void OnRequestDone(ServiceRequest& request) override {
        if (onDone)
            onDone(request);
        std::lock_guard lock(mutex_);
        delivered_.push_back({request.type, request.reply, request.context1, request.context2,
                              request.transferFailed});
        changed_.notify_all();
    }
    RequestProgressView* loginProgressView() override { return nullptr; }

    bool waitFor(std::size_t count, std::chrono::milliseconds timeout = 5s) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, timeout, [&] { return delivered_.size() >= count; });
    }
    std::vector<Delivered> delivered() {
        std::lock_guard lock(mutex_);
        return delivered_;
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Delivered> delivered_;
};

class ServiceClientTest : public ::testing::Test {
protected:
    explicit ServiceClientTest(TransferLimits limits = {}) : client(state, limits) {
        state.serverPort = service.port();
        state.serverHost = "127.0.0.1";
        state.userName = "alice";
        state.sessionToken = "T0K";
    }

    void start() {
        ASSERT_TRUE(
            client.start([this](const std::shared_ptr<ServiceRequest>& request,
                                const std::atomic<bool>&) { client.Deliver(*request, handler); },
                         [this](std::string text) {
                             std::lock_guard lock(progressMutex);
                             progress.push_back(std::move(text));
                         }));
    }

    ScriptedService service{[this](const ScriptedService::Exchange& exchange) {
        return reply ? reply(exchange) : "1|" + exchange.body;
    }};
    std::function<std::string(const ScriptedService::Exchange&)> reply;
    AppState state;
    RecordingHandler handler;
    std::mutex progressMutex;
    std::vector<std::string> progress;
    ServiceClient client;
};

TEST_F(ServiceClientTest, KeepsTheOrderOfRequestsAndReplies) {
    start();
    for (int i = 0; i < 8; ++i)
        ASSERT_TRUE(client.QueueRequest(RequestType::ServerTime + i % 3, "n=" + std::to_string(i),
                                        100 + i, 200 + i));
    ASSERT_TRUE(handler.waitFor(8));
    const auto exchanges = service.exchanges();
    const auto delivered = handler.delivered();
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(exchanges[i].body, "n=" + std::to_string(i));
        EXPECT_EQ(delivered[i].reply, "1|n=" + std::to_string(i));
        EXPECT_EQ(delivered[i].type, RequestType::ServerTime + i % 3);
        EXPECT_EQ(delivered[i].context1, 100 + i);
        EXPECT_EQ(delivered[i].context2, 200 + i);
        EXPECT_FALSE(delivered[i].transferFailed);
    }
    EXPECT_EQ(exchanges[0].path, "/BetInfo1/release/BetFlashTime.asp");
    EXPECT_EQ(exchanges[1].path, "/BetInfo1/release/BetFlashLotteryTime.asp");
    std::lock_guard lock(progressMutex);
    ASSERT_EQ(progress.size(), 8u);
    EXPECT_EQ(progress[0], "正在更新服务器时间...");
    EXPECT_EQ(progress[2], "正在更新开奖号码...");
}

TEST_F(ServiceClientTest, LoggedOutOnlyTheLoginIsQueued) {
    state.sessionToken.clear();
    start();
    EXPECT_FALSE(client.QueueRequest(RequestType::ServerTime, "a", 0, 0));
    EXPECT_FALSE(client.QueueRequest(std::nullopt));
    EXPECT_TRUE(client.QueueRequest(RequestType::Login, "Username=alice", 0, 0));
    // Replies come in queue order: once a second login is answered, all queued has been sent.
    EXPECT_TRUE(client.QueueRequest(RequestType::Login, "Username=bob", 0, 0));
    ASSERT_TRUE(handler.waitFor(2));
    const auto exchanges = service.exchanges();
    ASSERT_EQ(exchanges.size(), 2u);
    EXPECT_EQ(exchanges[0].path, "/BetInfo1/release/BetUserLogin.asp");
    EXPECT_EQ(exchanges[1].path, "/BetInfo1/release/BetUserLogin.asp");
}

TEST_F(ServiceClientTest, RequestsWaitingAtLogoutAreDroppedAndTheNextLoginIsSent) {
    handler.onDone = [this](ServiceRequest& request) {
        if (request.type == RequestType::Logout)
            state.sessionToken.clear();
    };
    service.stall();
    start();
    ASSERT_TRUE(client.QueueRequest(RequestType::Logout, "bye", 0, 0));
    ASSERT_TRUE(service.waitForExchanges(1, 5s));
    ASSERT_TRUE(client.QueueRequest(RequestType::UserList, "u", 0, 0));
    ASSERT_TRUE(client.QueueRequest(RequestType::OwnPlanList, "p", 0, 0));
    service.release();
    ASSERT_TRUE(handler.waitFor(1));
    ASSERT_TRUE(client.QueueRequest(RequestType::Login, "again", 0, 0));
    ASSERT_TRUE(handler.waitFor(2));

    const auto delivered = handler.delivered();
    EXPECT_EQ(delivered[0].type, RequestType::Logout);
    EXPECT_EQ(delivered[1].type, RequestType::Login);
    const auto exchanges = service.exchanges();
    ASSERT_EQ(exchanges.size(), 2u);
    EXPECT_EQ(exchanges[1].body, "again");
}

TEST_F(ServiceClientTest, IsAnOrdinaryFormPostInTheAnsiCodePage) {
    reply = [](const ScriptedService::Exchange&) { return ToAnsi("1|重庆时时彩|") + "\xD6"; };
    start();
    const std::string body = "LotteryName=重庆时时彩&BetContext=" + std::string(4000, '1');
    ASSERT_TRUE(client.QueueRequest(RequestType::PlanUpload, body, 0, 0));
    ASSERT_TRUE(client.QueueRequest(99, "x", 0, 0));
    ASSERT_TRUE(handler.waitFor(2));

    const auto exchanges = service.exchanges();
    EXPECT_EQ(exchanges[0].body, ToAnsi(body));
    EXPECT_EQ(exchanges[0].contentType, "application/x-www-form-urlencoded");
    EXPECT_FALSE(exchanges[0].hasUserAgent);
    EXPECT_FALSE(exchanges[0].hasExpect);
    EXPECT_EQ(exchanges[1].path, "/BetInfo1/release/");
    // A reply cut inside a double-byte character keeps all before it.
    EXPECT_EQ(handler.delivered()[0].reply, "1|重庆时时彩|\xEF\xBF\xBD");
}

TEST_F(ServiceClientTest, AnOversizedReplyIsAFailure) {
    reply = [](const ScriptedService::Exchange& exchange) {
        return exchange.body == "huge" ? std::string(50u << 20, '1') : std::string("1|ok");
    };
    start();
    ASSERT_TRUE(client.QueueRequest(RequestType::OwnPlanList, "huge", 0, 0));
    ASSERT_TRUE(client.QueueRequest(RequestType::OwnPlanList, "small", 0, 0));
    ASSERT_TRUE(handler.waitFor(2, 20s));
    const auto delivered = handler.delivered();
    EXPECT_EQ(delivered[0].reply, "");
    EXPECT_TRUE(delivered[0].transferFailed);
    EXPECT_EQ(delivered[1].reply, "1|ok");
}

TEST_F(ServiceClientTest, StoppingDuringASlowTransferEndsAtOnce) {
    service.stall();
    start();
    ASSERT_TRUE(client.QueueRequest(RequestType::ServerTime, "slow", 0, 0));
    ASSERT_TRUE(client.QueueRequest(RequestType::ServerTime, "queued", 0, 0));
    ASSERT_TRUE(service.waitForExchanges(1, 5s));
    const auto begin = Clock::now();
    client.stop();
    EXPECT_LT(Clock::now() - begin, 500ms);
    EXPECT_TRUE(handler.delivered().empty());
    EXPECT_EQ(client.pendingCount(), 0u);
}

TEST_F(ServiceClientTest, ARefusedConnectionDeliversAnEmptyReply) {
    int unusedPort = 0;
    {
        ScriptedService closed{[](const ScriptedService::Exchange&) { return std::string(); }};
        unusedPort = closed.port();
    }
    state.serverPort = unusedPort;
    start();
    ASSERT_TRUE(client.QueueRequest(RequestType::ServerTime, "x", 0, 0));
    ASSERT_TRUE(handler.waitFor(1));
    EXPECT_EQ(handler.delivered()[0].reply, "");
    EXPECT_TRUE(handler.delivered()[0].transferFailed);
}

class ServiceClientTimeLimitTest : public ServiceClientTest {
protected:
    ServiceClientTimeLimitTest() : ServiceClientTest(TransferLimits{1s}) {}
};

TEST_F(ServiceClientTimeLimitTest, SilenceBeyondTheLimitDeliversAnEmptyReply) {
    service.stall();
    start();
    const auto begin = Clock::now();
    ASSERT_TRUE(client.QueueRequest(RequestType::ServerTime, "x", 0, 0));
    ASSERT_TRUE(handler.waitFor(1));
    const auto elapsed = Clock::now() - begin;
    EXPECT_GE(elapsed, 900ms);
    EXPECT_LT(elapsed, 3s);
    EXPECT_EQ(handler.delivered()[0].reply, "");
    EXPECT_TRUE(handler.delivered()[0].transferFailed);
}

}  // namespace
}  // namespace quorstat
