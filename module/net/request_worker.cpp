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
    if (thread_.isRunning())
        return false;
    handOver_ = std::move(handOver);
    progress_ = std::move(progress);
    return thread_.start([this] { run(); });
}

void RequestWorker::stop() {
    thread_.stop(mutex_, wake_);
}

std::unique_ptr<ServiceRequest> RequestWorker::takeNext() {
    std::unique_lock lock(mutex_);
    wake_.wait_for(lock, kPollInterval, [this] { return thread_.stopping() || !queue_.empty(); });
    if (thread_.stopping() || queue_.empty())
        return nullptr;
    auto request = std::move(queue_.front());
    queue_.pop_front();
    return request;
}

void RequestWorker::pause(std::chrono::milliseconds duration) {
    std::unique_lock lock(mutex_);
    wake_.wait_for(lock, duration, [this] { return thread_.stopping(); });
}

void RequestWorker::run() {
    while (!thread_.stopping()) {
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
            transfer_(*request, thread_.flag());
        if (thread_.stopping())
            break;
        const std::shared_ptr<ServiceRequest> finished = std::move(request);
        if (handOver_)
            handOver_(finished, thread_.flag());
    }
}

}  // namespace quorstat
