#include "net/request_worker.h"

#include <system_error>

#include "net/request_types.h"

namespace quorstat {

RequestWorker::RequestWorker(Transfer transfer) : transfer_(std::move(transfer)) {}

RequestWorker::~RequestWorker() {
    stop();
}

void RequestWorker::queue(std::unique_ptr<ServiceRequest> request) {
    {
        std::lock_guard lock(mutex_);
        queue_.push_back(std::move(request));
    }
    wake_.notify_one();
}

std::size_t RequestWorker::pendingCount() const {
    std::lock_guard lock(mutex_);
    return queue_.size();
}

void RequestWorker::clearQueue() {
    std::deque<std::unique_ptr<ServiceRequest>> dropped;
    std::lock_guard lock(mutex_);
    dropped.swap(queue_);
}

bool RequestWorker::start(HandOver handOver, Progress progress) {
    if (thread_.joinable())
        return false;
    handOver_ = std::move(handOver);
    progress_ = std::move(progress);
    stop_ = false;
    try {
        thread_ = std::thread([this] { run(); });
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

void RequestWorker::stop() {
    if (!thread_.joinable())
        return;
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

std::unique_ptr<ServiceRequest> RequestWorker::takeNext() {
    std::unique_lock lock(mutex_);
    wake_.wait_for(lock, kPollInterval, [this] { return stop_ || !queue_.empty(); });
    if (stop_ || queue_.empty())
        return nullptr;
    auto request = std::move(queue_.front());
    queue_.pop_front();
    return request;
}

void RequestWorker::pause(std::chrono::milliseconds duration) {
    std::unique_lock lock(mutex_);
    wake_.wait_for(lock, duration, [this] { return stop_.load(); });
}

void RequestWorker::run() {
    while (!stop_) {
        auto request = takeNext();
        if (!request)
            continue;
        // Queued before a logout: the service would refuse it anyway.
        if (!sessionActive_ && request->type != RequestType::Login) {
            request.reset();
            pause(kDropPause);
            continue;
        }
        if (progress_)
            progress_(*request);
        if (transfer_)
            transfer_(*request, stop_);
        if (stop_)
            break;
        const std::shared_ptr<ServiceRequest> finished = std::move(request);
        if (handOver_)
            handOver_(finished, stop_);
    }
}

}  // namespace quorstat
