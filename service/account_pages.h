#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "service/account_store.h"

namespace quorstat::service {

class FormBody;
class Router;
struct PageRequest;
struct ServiceContext;

// BetUserLogin.asp, BetUserLogout.asp, BetGetUserInfoID.asp.
class AccountPages {
public:
    explicit AccountPages(ServiceContext& context) : context_(context) {}

    void addTo(Router& router);

private:
    // The user a login names, with what his password is checked against.
    struct Candidate {
        std::optional<UserRecord> user;
        std::string passwordHash;
    };

    std::string login(const FormBody& form, std::string_view peer);
    Candidate admit(std::string_view name, std::string_view peer);
    std::string welcome(const UserRecord& user, std::string_view peer);
    std::string logout(const PageRequest& request);
    std::string userId(const PageRequest& request);

    ServiceContext& context_;
};

}  // namespace quorstat::service
