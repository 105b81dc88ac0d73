#pragma once

#include <string>

namespace httplib {
class Server;
}

namespace quorstat::service {

struct ServiceContext;

// "/control/rankings", for tests and demos, answered only to the machine itself: a POST runs
// the ranking job at once, scoring every day up to yesterday. The reply is 1|DAY RANKED.
class RankingControl {
public:
    explicit RankingControl(ServiceContext& context) : context_(context) {}

    void addTo(httplib::Server& server);

private:
    std::string run();

    ServiceContext& context_;
};

}  // namespace quorstat::service
