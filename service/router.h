#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "service/page_request.h"

namespace quorstat::service {

struct ServiceContext;

// Pages by name. Every request is checked the same way before its page sees it: a GB18030 body,
// the time token, and on pages behind a login a live session; then the page runs under the
// service lock inside one transaction, so bad input never leaves half a change behind.
class Router {
public:
    // Returns the reply in UTF-8; throws PageError for bad input.
    using Handler = std::function<std::string(const PageRequest&)>;
    // A page that takes the lock itself (ServiceContext::exclusive) only around the parts that
    // touch shared state, so that a slow step between them, such as checking a password, holds
    // up no other request. `peer` is the address the request comes from.
    using UnlockedHandler = std::function<std::string(const FormBody&, std::string_view peer)>;
    enum class Access { Public, Session };

    explicit Router(ServiceContext& context) : context_(context) {}

    void addPage(std::string name, Access access, Handler handler);
    template <class Pages>
    void addPage(std::string name, Access access, Pages* pages,
                 std::string (Pages::*member)(const PageRequest&)) {
        addPage(std::move(name), access,
                [pages, member](const PageRequest& request) { return (pages->*member)(request); });
    }
    void addUnlockedPage(std::string name, UnlockedHandler handler);

    // The GB18030 reply to one body posted to the page from `peer`.
    std::string answer(std::string_view page, std::string_view body, std::string_view peer = {});

private:
    struct Route {
        Access access = Access::Public;
        Handler handler;
        UnlockedHandler unlocked;
    };

    std::string run(const Route& route, const FormBody& form);

    ServiceContext& context_;
    std::map<std::string, Route, std::less<>> routes_;
};

}  // namespace quorstat::service
