#pragma once

#include <cstddef>
#include <functional>
#include <stop_token>

namespace quorstat {

// Long work reports how far it got and stops early when asked. Both happen on the thread that does
// the work: a window running it on a worker forwards `report` to its own thread and requests the
// stop through the std::stop_source the token came from.
struct WorkProgress {
    std::function<void(std::size_t done, std::size_t total)> report;
    std::stop_token stop;

    bool stopped() const { return stop.stop_requested(); }
    void step(std::size_t done, std::size_t total) const {
        if (report)
            report(done, total);
    }
};

}  // namespace quorstat
