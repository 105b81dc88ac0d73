#pragma once

#include <string>
#include <string_view>

namespace quorstat::service {

class ControlAccess;
class RequestServer;
struct ServiceContext;

// "/control/clock", for tests and demos, answered to what `ControlAccess` lets through. GET
// reports the clock; POST "Speed=X", "Set=YYYY-MM-DD HH:MM:SS" and "Advance=SECONDS" (applied in
// this order, each optional) make it virtual and move it. The reply is 1|TIME|SPEED, draws made
// up to TIME.
class ClockControl {
public:
    explicit ClockControl(ServiceContext& context) : context_(context) {}

    void addTo(RequestServer& server, const ControlAccess& access);

private:
    std::string apply(std::string_view body);
    std::string report();

    ServiceContext& context_;
};

}  // namespace quorstat::service
