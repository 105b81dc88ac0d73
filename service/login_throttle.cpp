#include "service/login_throttle.h"

#include <algorithm>

namespace quorstat::service {
namespace {

// Enough for every name and address of a busy day; beyond it the forgotten ones are dropped.
constexpr std::size_t kPruneAbove = 10'000;

}  // namespace

std::int64_t LoginThrottle::waitMillis(std::string_view name, std::string_view peer,
                                       std::int64_t now) const {
    return std::max<std::int64_t>(
        0, std::max(barredUntil(names_, name), barredUntil(peers_, peer)) - now);
}

void LoginThrottle::countAttempt(std::string_view name, std::string_view peer, std::int64_t now) {
    count(names_, name, options_.freeFailuresPerName, now);
    count(peers_, peer, options_.freeFailuresPerPeer, now);
}

void LoginThrottle::succeeded(std::string_view name, std::string_view peer) {
    if (const auto found = names_.find(name); found != names_.end())
        names_.erase(found);
    if (const auto found = peers_.find(peer); found != peers_.end()) {
        Failures& failures = found->second;
        failures.count = std::max(0, failures.count - 1);
        if (failures.count <= options_.freeFailuresPerPeer)
            failures.barredUntil = 0;
    }
}

std::int64_t LoginThrottle::barredUntil(const Table& table, std::string_view key) {
    const auto found = table.find(key);
    return found == table.end() ? 0 : found->second.barredUntil;
}

void LoginThrottle::count(Table& table, std::string_view key, int freeFailures, std::int64_t now) {
    if (table.size() > kPruneAbove)
        forgetOld(table, now);
    auto found = table.find(key);
    if (found == table.end())
        found = table.emplace(std::string(key), Failures{}).first;
    Failures& failures = found->second;
    if (now - failures.last > options_.forgetAfterMillis)
        failures.count = 0;
    failures.last = now;
    const int beyond = ++failures.count - freeFailures;
    if (beyond <= 0)
        return;
    std::int64_t delay = options_.firstDelayMillis;
    for (int i = 1; i < beyond && delay < options_.longestDelayMillis; ++i)
        delay *= 2;
    failures.barredUntil = now + std::min(delay, options_.longestDelayMillis);
}

void LoginThrottle::forgetOld(Table& table, std::int64_t now) {
    std::erase_if(table, [&](const auto& entry) {
        return now - entry.second.last > options_.forgetAfterMillis &&
               entry.second.barredUntil <= now;
    });
}

}  // namespace quorstat::service
