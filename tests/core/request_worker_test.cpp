#include "net/request_worker.h"

#include <gtest/gtest.h>

#include <vector>

namespace quorstat {
namespace {

std::unique_ptr<ServiceRequest> makeRequest(int type) {
    auto request = std::make_unique<ServiceRequest>();
    request->type = type;
    return request;
}

TEST(RequestWorker, HandsRepliesOverInQueueOrder) {
    std::mutex mutex;
    std::vector<int> handled;
    RequestWorker worker(
        [](ServiceRequest& request, const std::atomic<bool>&) {
            request.reply = "1|" + std::to_string(request.type);
        },
        [&](ServiceRequest& request, const std::atomic<bool>&) {
            std::lock_guard lock(mutex);
            handled.push_back(std::stoi(request.reply.substr(2)));
        });
    for (int type = 1; type <= 20; ++type)
        worker.queue(makeRequest(type));
    ASSERT_TRUE(worker.start());
    for (int i = 0; i < 200 && worker.pendingCount() > 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    worker.stop();
    std::vector<int> expected(20);
    for (int i = 0; i < 20; ++i)
        expected[i] = i + 1;
    EXPECT_EQ(handled, expected);
}

TEST(RequestWorker, StopCutsASlowTransferShortAndDropsTheQueue) {
    std::atomic<bool> transferStarted{false};
    std::atomic<int> handOvers{0};
    RequestWorker worker(
        [&](ServiceRequest&, const std::atomic<bool>& stop) {
            transferStarted = true;
            while (!stop)
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
        },
        [&](ServiceRequest&, const std::atomic<bool>&) { ++handOvers; });
    ASSERT_TRUE(worker.start());
    for (int type = 1; type <= 5; ++type)
        worker.queue(makeRequest(type));
    while (!transferStarted)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));

    worker.clearQueue();
    EXPECT_EQ(worker.pendingCount(), 0u);
    const auto begin = std::chrono::steady_clock::now();
    worker.stop();
    EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::milliseconds(500));
    EXPECT_FALSE(worker.isRunning());
    EXPECT_EQ(handOvers, 0);
}

TEST(RequestWorker, StartsOnlyOnceAndStopsWhenNeverStarted) {
    RequestWorker worker(nullptr, nullptr);
    worker.stop();
    EXPECT_TRUE(worker.start());
    EXPECT_FALSE(worker.start());
    worker.stop();
    EXPECT_FALSE(worker.isRunning());
}

}  // namespace
}  // namespace quorstat
