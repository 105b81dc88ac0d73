#include "net/request_worker.h"

#include <gtest/gtest.h>

#include <vector>

namespace quorstat {
namespace {

using namespace std::chrono_literals;

std::unique_ptr<ServiceRequest> makeRequest(int type) {
    auto request = std::make_unique<ServiceRequest>();
    request->type = type;
    return request;
}

void waitUntilIdle(const RequestWorker& worker) {
    for (int i = 0; i < 500 && worker.pendingCount() > 0; ++i)
        std::this_thread::sleep_for(10ms);
}

TEST(RequestWorker, HandsRepliesOverInQueueOrder) {
    std::mutex mutex;
    std::vector<int> handled;
    RequestWorker worker([](ServiceRequest& request, const std::atomic<bool>&) {
        request.reply = "1|" + std::to_string(request.type);
    });
    worker.setSessionActive(true);
    for (int type = 1; type <= 20; ++type)
        worker.queue(makeRequest(type));
    ASSERT_TRUE(
        worker.start([&](const std::shared_ptr<ServiceRequest>& request, const std::atomic<bool>&) {
            std::lock_guard lock(mutex);
            handled.push_back(std::stoi(request->reply.substr(2)));
        }));
    waitUntilIdle(worker);
    worker.stop();
    std::vector<int> expected(20);
    for (int i = 0; i < 20; ++i)
        expected[i] = i + 1;
    EXPECT_EQ(handled, expected);
}

TEST(RequestWorker, WithoutSessionOnlyTheLoginIsSentAndOthersCostAPause) {
    std::mutex mutex;
    std::vector<int> sent;
    RequestWorker worker([&](ServiceRequest& request, const std::atomic<bool>&) {
        std::lock_guard lock(mutex);
        sent.push_back(request.type);
    });
    worker.queue(makeRequest(3));
    worker.queue(makeRequest(1));
    const auto begin = std::chrono::steady_clock::now();
    ASSERT_TRUE(worker.start(nullptr));
    for (int i = 0; i < 200; ++i) {
        {
            std::lock_guard lock(mutex);
            if (!sent.empty())
                break;
        }
        std::this_thread::sleep_for(5ms);
    }
    const auto elapsed = std::chrono::steady_clock::now() - begin;
    worker.stop();
    EXPECT_EQ(sent, std::vector<int>{1});
    EXPECT_GE(elapsed, RequestWorker::kDropPause);
}

TEST(RequestWorker, StopCutsASlowTransferShortAndDropsTheQueue) {
    std::atomic<bool> transferStarted{false};
    std::atomic<int> handOvers{0};
    RequestWorker worker([&](ServiceRequest&, const std::atomic<bool>& stop) {
        transferStarted = true;
        while (!stop)
            std::this_thread::sleep_for(5ms);
    });
    worker.setSessionActive(true);
    ASSERT_TRUE(worker.start(
        [&](const std::shared_ptr<ServiceRequest>&, const std::atomic<bool>&) { ++handOvers; }));
    for (int type = 1; type <= 5; ++type)
        worker.queue(makeRequest(type));
    while (!transferStarted)
        std::this_thread::sleep_for(1ms);

    worker.clearQueue();
    EXPECT_EQ(worker.pendingCount(), 0u);
    const auto begin = std::chrono::steady_clock::now();
    worker.stop();
    EXPECT_LT(std::chrono::steady_clock::now() - begin, 500ms);
    EXPECT_FALSE(worker.isRunning());
    EXPECT_EQ(handOvers, 0);
}

TEST(RequestWorker, StopEndsAPauseAfterADroppedRequest) {
    RequestWorker worker(nullptr);
    worker.queue(makeRequest(3));
    ASSERT_TRUE(worker.start(nullptr));
    waitUntilIdle(worker);
    const auto begin = std::chrono::steady_clock::now();
    worker.stop();
    EXPECT_LT(std::chrono::steady_clock::now() - begin, 300ms);
}

TEST(RequestWorker, RecordOutlivesTheWorkerOnlyWhileTheHandOverHoldsIt) {
    std::weak_ptr<ServiceRequest> seen;
    std::shared_ptr<ServiceRequest> kept;
    RequestWorker worker(nullptr);
    worker.setSessionActive(true);
    ASSERT_TRUE(
        worker.start([&](const std::shared_ptr<ServiceRequest>& request, const std::atomic<bool>&) {
            if (!kept)
                kept = request;
            seen = request;
        }));
    worker.queue(makeRequest(3));
    worker.queue(makeRequest(4));
    waitUntilIdle(worker);
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
