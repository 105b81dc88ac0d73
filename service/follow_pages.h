#pragma once

#include <cstdint>
#include <string>

namespace quorstat::service {

class Router;
struct PageRequest;
struct ServiceContext;

// BetAttentionUser.asp: follow, unfollow, and the follow counts. Follows hold across lotteries.
class FollowPages {
public:
    explicit FollowPages(ServiceContext& context) : context_(context) {}

    void addTo(Router& router);

private:
    std::string attention(const PageRequest& request);
    void setFollowing(const PageRequest& request, bool follow);
    std::string counts(std::int64_t userId);

    ServiceContext& context_;
};

}  // namespace quorstat::service
