#include "net/request_hand_over.h"

#include <QMetaObject>

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace quorstat {
namespace {

constexpr std::chrono::milliseconds kStopCheck{20};

// Finished when the queued call has run, and also when Qt discards it unrun because the
// receiver is gone: both end with the call object destroyed.
class CallState {
public:
    void finish() {
        {
            std::lock_guard lock(mutex_);
            finished_ = true;
        }
        done_.notify_all();
    }

    // Gives up when stop comes first; the call then no longer runs the handler.
    void waitUnlessStopped(const std::atomic<bool>& stop) {
        std::unique_lock lock(mutex_);
        while (!finished_) {
            if (stop) {
                abandoned_ = true;
                return;
            }
            done_.wait_for(lock, kStopCheck);
        }
    }

    bool abandoned() {
        std::lock_guard lock(mutex_);
        return abandoned_;
    }

private:
    std::mutex mutex_;
    std::condition_variable done_;
    bool finished_ = false;
    bool abandoned_ = false;
};

class Completion {
public:
    explicit Completion(std::shared_ptr<CallState> state) : state_(std::move(state)) {}
    ~Completion() { state_->finish(); }
    Completion(const Completion&) = delete;
    Completion& operator=(const Completion&) = delete;

    CallState& state() const { return *state_; }

private:
    std::shared_ptr<CallState> state_;
};

}  // namespace

RequestHandOver::RequestHandOver(QObject* receiver, ServiceClient& client, RequestHandler& handler)
    : receiver_(receiver), client_(&client), handler_(&handler) {}

void RequestHandOver::operator()(const std::shared_ptr<ServiceRequest>& request,
                                 const std::atomic<bool>& stop) const {
    QObject* receiver = receiver_.data();
    if (!receiver)
        return;
    auto state = std::make_shared<CallState>();
    auto completion = std::make_shared<Completion>(state);
    ServiceClient* client = client_;
    RequestHandler* handler = handler_;
    QMetaObject::invokeMethod(
        receiver,
        [request = std::shared_ptr<ServiceRequest>(request), completion, client,
         handler]() mutable {
            if (completion->state().abandoned())
                return;
            client->Deliver(*request, *handler);
            request.reset();  // the worker, still waiting, frees the record
            completion.reset();
        },
        Qt::QueuedConnection);
    completion.reset();
    state->waitUnlessStopped(stop);
}

void RequestHandOver::showProgress(std::string text) const {
    QObject* receiver = receiver_.data();
    if (!receiver)
        return;
    RequestHandler* handler = handler_;
    QMetaObject::invokeMethod(
        receiver,
        [handler, text = std::move(text)] {
            if (RequestProgressView* view = handler->loginProgressView())
                view->showRequestProgress(text);
        },
        Qt::QueuedConnection);
}

bool StartServiceClient(ServiceClient& client, QObject* receiver, RequestHandler& handler) {
    const RequestHandOver handOver(receiver, client, handler);
    return client.start(handOver,
                        [handOver](std::string text) { handOver.showProgress(std::move(text)); });
}

}  // namespace quorstat
