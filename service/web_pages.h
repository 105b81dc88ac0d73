#pragma once

#include <string>

namespace httplib {
class Server;
}

namespace quorstat::service {

struct ServiceContext;

// What the client fetches outside the request pages: the banner pages under "/html/" and the
// release lists "DetailList.zip" the host reads its newest version from.
class WebPages {
public:
    explicit WebPages(ServiceContext& context) : context_(context) {}

    void addTo(httplib::Server& server);

private:
    std::string banner(bool evening);

    ServiceContext& context_;
};

}  // namespace quorstat::service
