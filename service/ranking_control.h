#pragma once

#include <string>

namespace quorstat::service {

class ControlAccess;
class RequestServer;
struct ServiceContext;

// "/control/rankings", for tests and demos, answered to what `ControlAccess` lets through: a
// POST runs the ranking job at once, scoring every day up to yesterday. The reply is
// 1|DAY RANKED.
class RankingControl {
public:
    explicit RankingControl(ServiceContext& context) : context_(context) {}

    void addTo(RequestServer& server, const ControlAccess& access);

private:
    std::string run();

    ServiceContext& context_;
};

}  // namespace quorstat::service
