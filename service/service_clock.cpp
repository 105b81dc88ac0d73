#include "service/service_clock.h"

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <stdexcept>
#include <string>

namespace quorstat::service {

std::int64_t ServiceClock::systemMillis() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

std::optional<double> ServiceClock::parseSpeed(std::string_view text) {
    const std::string copy(text);
    char* end = nullptr;
    const double speed = std::strtod(copy.c_str(), &end);
    if (copy.empty() || *end != '\0' || !(speed >= 0.0) || speed > 1e6)
        return std::nullopt;
    return speed;
}

bool ServiceClock::isWithinRange(CivilSeconds time) {
    static const CivilSeconds first = *parseDateTime("2000-01-01 00:00:00");
    static const CivilSeconds last = *parseDateTime("2099-12-31 23:59:59");
    return time >= first && time <= last;
}

ServiceClock::ServiceClock(Source source) : source_(std::move(source)) {}

CivilSeconds ServiceClock::now() const {
    const std::int64_t millis = nowMillis();
    return millis >= 0 ? millis / 1000 : -((-millis + 999) / 1000);
}

void ServiceClock::set(CivilSeconds time) {
    restartAt(time * 1000);
}

void ServiceClock::advance(CivilSeconds seconds) {
    restartAt(nowMillis() + seconds * 1000);
}

void ServiceClock::setSpeed(double speed) {
    if (!(speed >= 0.0) || !std::isfinite(speed))
        throw std::invalid_argument("bad clock speed");
    const std::int64_t current = nowMillis();
    speed_ = speed;
    restartAt(current);
}

std::int64_t ServiceClock::nowMillis() const {
    const std::int64_t real = source_();
    if (!virtual_)
        return localCivilTime(real) * 1000 + real % 1000;
    const double elapsed = static_cast<double>(real - anchorMillis_) * speed_;
    return startMillis_ + static_cast<std::int64_t>(std::floor(elapsed));
}

void ServiceClock::restartAt(std::int64_t virtualMillis) {
    virtual_ = true;
    startMillis_ = virtualMillis;
    anchorMillis_ = source_();
}

}  // namespace quorstat::service
