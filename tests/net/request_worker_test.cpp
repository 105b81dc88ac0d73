#include "net/request_worker.h"

#include <gtest/gtest.h>

#include <vector>

namespace quorstat {
namespace {

using namespace std::chrono_literals;

constexpr auto kPatience = 10s;

std::unique_ptr<ServiceRequest> makeRequest(int type) {
    auto request = std::make_unique<ServiceRequest>();
    request->type = type;
    return request;
}

// Request types in the order something happened to them, from any thread.
class Log {
public:
    void add(int type) {
        {
            std::lock_guard lock(mutex_);
            types_.push_back(type);
        }
        changed_.notify_all();
    }
    // False when fewer than `count` entries came within the patience.
    bool waitFor(std::size_t count) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, kPatience, [&] { return types_.size() >= count; });
    }
    std::vector<int> types() const {
        std::lock_guard lock(mutex_);
        return types_;
    }

private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<int> types_;
};

// For states the worker reports to no one: polls until `holds` or the patience runs out.
template <typename Condition>
bool eventually(Condition holds) {
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (!holds()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::yield();
    }
    return true;
}

TEST(RequestWorker, HandsRepliesOverInQueueOrder) {
    Log handled;
    RequestWorker worker([](ServiceRequest& request, const std::atomic<bool>&) {
        request.reply = "1|" + std::to_string(request.type);
    });
    worker.setSessionActive(true);
    for (int type = 1; type <= 20; ++type)
        worker.queue(makeRequest(type));
    ASSERT_TRUE(
        worker.start([&](const std::shared_ptr<ServiceRequest>& request, const std::atomic<bool>&) {
            handled.add(std::stoi(request->reply.substr(2)));
        }));
    ASSERT_TRUE(handled.waitFor(20));
    worker.stop();
    std::vector<int> expected(20);
    for (int i = 0; i < 20; ++i)
        expected[i] = i + 1;
    EXPECT_EQ(handled.types(), expected);
}

TEST(RequestWorker, WithoutSessionOnlyTheLoginIsSentAndOthersCostAPause) {
    Log sent;
    RequestWorker worker(
        [&](ServiceRequest& request, const std::atomic<bool>&) { sent.add(request.type); });
    worker.queue(makeRequest(3));
    worker.queue(makeRequest(1));
    const auto begin = std::chrono::steady_clock::now();
    ASSERT_TRUE(worker.start(nullptr));
    ASSERT_TRUE(sent.waitFor(1));
    const auto elapsed = std::chrono::steady_clock::now() - begin;
    worker.stop();
    EXPECT_EQ(sent.types(), std::vector<int>{1});
    EXPECT_GE(elapsed, RequestWorker::kDropPause);
}

TEST(RequestWorker, StopCutsASlowTransferShortAndDropsTheQueue) {
    Log started;
    std::atomic<int> handOvers{0};
    RequestWorker worker([&](ServiceRequest& request, const std::atomic<bool>& stop) {
        started.add(request.type);
        stop.wait(false);
    });
    worker.setSessionActive(true);
    ASSERT_TRUE(worker.start(
        [&](const std::shared_ptr<ServiceRequest>&, const std::atomic<bool>&) { ++handOvers; }));
    for (int type = 1; type <= 5; ++type)
        worker.queue(makeRequest(type));
    ASSERT_TRUE(started.waitFor(1));

    worker.clearQueue();
    EXPECT_EQ(worker.pendingCount(), 0u);
    const auto begin = std::chrono::steady_clock::now();
    worker.stop();
    EXPECT_LT(std::chrono::steady_clock::now() - begin, 500ms);
    EXPECT_FALSE(worker.isRunning());
    EXPECT_EQ(handOvers, 0);
    EXPECT_EQ(started.types(), std::vector<int>{1});
}

TEST(RequestWorker, StopEndsAPauseAfterADroppedRequest) {
    Log sent;
    RequestWorker worker(
        [&](ServiceRequest& request, const std::atomic<bool>&) { sent.add(request.type); });
    worker.queue(makeRequest(3));
    worker.queue(makeRequest(1));
    ASSERT_TRUE(worker.start(nullptr));
    // Once the first request is taken and dropped, the login waits behind the pause it costs.
    ASSERT_TRUE(eventually([&] { return worker.pendingCount() == 1; }));
    const auto begin = std::chrono::steady_clock::now();
    worker.stop();
    EXPECT_LT(std::chrono::steady_clock::now() - begin, 300ms);
    EXPECT_TRUE(sent.types().empty());
}

TEST(RequestWorker, RecordOutlivesTheWorkerOnlyWhileTheHandOverHoldsIt) {
    Log handled;
    std::weak_ptr<ServiceRequest> seen;
    std::shared_ptr<ServiceRequest> kept;
    RequestWorker worker(nullptr);
    worker.setSessionActive(true);
    ASSERT_TRUE(
        worker.start([&](const std::shared_ptr<ServiceRequest>& request, const std::atomic<bool>&) {
            if (!kept)
                kept = request;
            seen = request;
            handled.add(request->type);
        }));
    worker.queue(makeRequest(3));
    worker.queue(makeRequest(4));
    ASSERT_TRUE(handled.waitFor(2));
    worker.stop();
    EXPECT_EQ(kept->type, 3);
    EXPECT_TRUE(seen.expired());
}

TEST(RequestWorker, StartsOnlyOnceAndStopsWhenNeverStarted) {
    RequestWorker worker(nullptr);
    worker.stop();
    EXPECT_TRUE(worker.start(nullptr));
    EXPECT_FALSE(worker.start(nullptr));
    worker.stop();
    EXPECT_FALSE(worker.isRunning());
}

}  // namespace
}  // namespace quorstat
