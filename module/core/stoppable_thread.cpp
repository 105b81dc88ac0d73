#include "core/stoppable_thread.h"

#include <system_error>

namespace quorstat {

bool StoppableThread::start(std::function<void()> loop) {
    if (thread_.joinable())
        return false;
    stop_ = false;
    try {
        thread_ = std::thread(std::move(loop));
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

void StoppableThread::stop(std::mutex& mutex, std::condition_variable& wake) {
    if (!thread_.joinable())
        return;
    {
        std::lock_guard lock(mutex);
        stop_ = true;
    }
    // Work done on the thread may also wait on the flag itself.
    stop_.notify_all();
    wake.notify_all();
    thread_.join();
}

}  // namespace quorstat
