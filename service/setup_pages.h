#pragma once

#include <string>

namespace quorstat::service {

class Router;
struct PageRequest;
struct ServiceContext;

// BetSetup.asp: the service-wide settings "QQWndFilter" and "SystemTimeInterval". Everybody
// reads them; only managers write them.
class SetupPages {
public:
    explicit SetupPages(ServiceContext& context) : context_(context) {}

    void addTo(Router& router);

private:
    std::string setup(const PageRequest& request);
    std::string read(const PageRequest& request, std::string_view name);
    std::string write(const PageRequest& request, std::string_view name);

    ServiceContext& context_;
};

}  // namespace quorstat::service
