#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

#include "service/civil_time.h"

namespace quorstat::service {

// The service's clock: the local time of the machine, or a virtual time that starts where it is
// set and runs at a chosen speed (0 stops it). Not thread-safe: used under the service lock.
class ServiceClock {
public:
    // Real time in milliseconds since the Unix epoch; tests pass a clock they move themselves.
    using Source = std::function<std::int64_t()>;
    static std::int64_t systemMillis();
    // A speed from 0 to 1000000 written as a decimal number.
    static std::optional<double> parseSpeed(std::string_view text);
    // Issue numbers carry two-digit years, so the clock keeps to the years 2000 to 2099.
    static bool isWithinRange(CivilSeconds time);

    explicit ServiceClock(Source source = systemMillis);

    CivilSeconds now() const;
    double speed() const { return speed_; }
    std::int64_t realMillis() const { return source_(); }

    // Each of these makes the clock virtual.
    void set(CivilSeconds time);
    void advance(CivilSeconds seconds);
    void setSpeed(double speed);

private:
    std::int64_t nowMillis() const;
    void restartAt(std::int64_t virtualMillis);

    Source source_;
    bool virtual_ = false;
    double speed_ = 1.0;
    std::int64_t startMillis_ = 0;
    std::int64_t anchorMillis_ = 0;
};

}  // namespace quorstat::service
