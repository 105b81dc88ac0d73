#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace quorstat {

// A consumer thread that is never killed: its loop and everything it calls watch one stop flag.
class StoppableThread {
public:
    StoppableThread() = default;
    StoppableThread(const StoppableThread&) = delete;
    StoppableThread& operator=(const StoppableThread&) = delete;

    // False when it already runs or the system refused a thread.
    bool start(std::function<void()> loop);
    // Raises the flag under the consumer's mutex, so a wait on `wake` cannot miss it, and joins.
    void stop(std::mutex& mutex, std::condition_variable& wake);

    bool isRunning() const { return thread_.joinable(); }
    bool stopping() const { return stop_; }
    const std::atomic<bool>& flag() const { return stop_; }

private:
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

}  // namespace quorstat
