#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "service/user_figures.h"

namespace quorstat::service {

class Router;
struct LotteryScope;
struct PageRequest;
struct ServiceContext;

// BetUserInfoList.asp: the users and their figures on one lottery and play, filtered, ordered
// and paged as the search panel asks.
class UserListPages {
public:
    static constexpr int kMaxPageSize = 1000;

    explicit UserListPages(ServiceContext& context) : context_(context) {}

    void addTo(Router& router);

private:
    std::string list(const PageRequest& request);

    // The users the list mode covers, with their figures.
    std::vector<UserFigures> candidates(const PageRequest& request, const LotteryScope& scope,
                                        int mode, int factorCycle);
    std::set<std::int64_t> followIds(const char* sql, std::int64_t userId);
    std::string listStamp(const PageRequest& request, const LotteryScope& scope);

    ServiceContext& context_;
};

}  // namespace quorstat::service
