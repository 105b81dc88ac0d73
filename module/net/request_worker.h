#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "net/service_request.h"

namespace quorstat {

// The single consumer of the request queue: one transfer at a time, replies handed over in the
// order the requests were queued.
class RequestWorker {
public:
    // Performs the transfer; must return soon after `stop` becomes true.
    using Transfer = std::function<void(ServiceRequest&, const std::atomic<bool>& stop)>;
    // Runs the reply's handler and returns when it is done (or when `stop` cuts the wait short).
    using HandOver = std::function<void(ServiceRequest&, const std::atomic<bool>& stop)>;

    RequestWorker(Transfer transfer, HandOver handOver);
    ~RequestWorker();
    RequestWorker(const RequestWorker&) = delete;
    RequestWorker& operator=(const RequestWorker&) = delete;

    void queue(std::unique_ptr<ServiceRequest> request);
    std::size_t pendingCount() const;
    // Frees every request not yet taken by the worker.
    void clearQueue();

    bool start();
    // Sets the stop flag and joins; the transfer and the hand-over watch the flag.
    void stop();
    bool isRunning() const { return thread_.joinable(); }

    static constexpr std::chrono::milliseconds kPollInterval{100};

private:
    void run();
    std::unique_ptr<ServiceRequest> takeNext();

    Transfer transfer_;
    HandOver handOver_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::unique_ptr<ServiceRequest>> queue_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

}  // namespace quorstat
