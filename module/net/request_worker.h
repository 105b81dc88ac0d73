#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "core/stoppable_thread.h"
#include "net/service_request.h"

namespace quorstat {

// The single consumer of the request queue: one transfer at a time, replies handed over in the
// order the requests were queued.
class RequestWorker {
public:
    // Performs the transfer; must return soon after `stop` becomes true.
    using Transfer = std::function<void(ServiceRequest&, const std::atomic<bool>& stop)>;
    // Runs the reply's handler and returns when it is done (or when `stop` cuts the wait short).
    // The record is freed when the last holder lets go, normally the worker right after this.
    using HandOver =
        std::function<void(const std::shared_ptr<ServiceRequest>&, const std::atomic<bool>& stop)>;
    // Told before each transfer.
    using Progress = std::function<void(const ServiceRequest&)>;

    explicit RequestWorker(Transfer transfer);
    ~RequestWorker();
    RequestWorker(const RequestWorker&) = delete;
    RequestWorker& operator=(const RequestWorker&) = delete;

    void queue(std::unique_ptr<ServiceRequest> request);
    std::size_t pendingCount() const;
    // Frees every request not yet taken by the worker.
    void clearQueue();

    // While no one is logged in, requests other than the login are dropped when their turn comes.
    void setSessionActive(bool active) { sessionActive_ = active; }

    bool start(HandOver handOver, Progress progress = {});
    // Sets the stop flag and joins; the transfer and the hand-over watch the flag.
    void stop();
    bool isRunning() const { return thread_.isRunning(); }

    static constexpr std::chrono::milliseconds kPollInterval{100};
    static constexpr std::chrono::milliseconds kDropPause{500};

private:
    void run();
    std::unique_ptr<ServiceRequest> takeNext();
    void pause(std::chrono::milliseconds duration);

    Transfer transfer_;
    HandOver handOver_;
    Progress progress_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::unique_ptr<ServiceRequest>> queue_;
    std::atomic<bool> sessionActive_{false};
    StoppableThread thread_;
};

}  // namespace quorstat
