#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "service/service_options.h"

namespace quorstat::service {

// Slows password guessing. Every attempt counts as a failure against its user name and against
// the address it comes from until it succeeds, so attempts sent at once count too. Past the free
// failures each further one bars that name or address for a delay that doubles up to the longest
// delay; failures older than the forget time no longer count. Times are real milliseconds. Not
// thread-safe: used under the service lock.
class LoginThrottle {
public:
    explicit LoginThrottle(const LoginThrottleOptions& options) : options_(options) {}

    // How long `name` from `peer` must wait before trying again; 0 when it may try now.
    std::int64_t waitMillis(std::string_view name, std::string_view peer, std::int64_t now) const;
    // Call before the password is checked.
    void countAttempt(std::string_view name, std::string_view peer, std::int64_t now);
    // The name starts afresh; the address gets back the attempt counted against it.
    void succeeded(std::string_view name, std::string_view peer);

private:
    struct Failures {
        int count = 0;
        std::int64_t last = 0;
        std::int64_t barredUntil = 0;
    };
    using Table = std::map<std::string, Failures, std::less<>>;

    static std::int64_t barredUntil(const Table& table, std::string_view key);
    void count(Table& table, std::string_view key, int freeFailures, std::int64_t now);
    void forgetOld(Table& table, std::int64_t now);

    LoginThrottleOptions options_;
    Table names_;
    Table peers_;
};

}  // namespace quorstat::service
