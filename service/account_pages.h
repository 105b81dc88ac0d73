#pragma once

#include <string>

namespace quorstat::service {

class Router;
struct PageRequest;
struct ServiceContext;

// BetUserLogin.asp, BetUserLogout.asp, BetGetUserInfoID.asp.
class AccountPages {
public:
    explicit AccountPages(ServiceContext& context) : context_(context) {}

    void addTo(Router& router);

private:
    std::string login(const PageRequest& request);
    std::string logout(const PageRequest& request);
    std::string userId(const PageRequest& request);

    ServiceContext& context_;
};

}  // namespace quorstat::service
