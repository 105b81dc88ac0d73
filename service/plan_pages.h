#pragma once

#include <cstdint>
#include <string>

namespace quorstat::service {

class Plan;
class Router;
struct LotteryScope;
struct PageRequest;
struct ServiceContext;

// BetPlanInfoUp.asp, BetPlanList.asp, BetPlanCancel.asp, BetPlanDelete.asp, BetPlanReset.asp,
// BetPlanDetail.asp, BetPlanShare.asp: a user's plans on one lottery and play. Changing pages
// answer with the owner's refreshed plan list.
class PlanPages {
public:
    explicit PlanPages(ServiceContext& context) : context_(context) {}

    void addTo(Router& router);

private:
    std::string upload(const PageRequest& request);
    std::string list(const PageRequest& request);
    std::string cancel(const PageRequest& request);
    std::string remove(const PageRequest& request);
    std::string reset(const PageRequest& request);
    std::string detail(const PageRequest& request);
    std::string share(const PageRequest& request);

    // The caller's own plan named by "PlanID"; throws for anybody else's.
    Plan ownPlan(const PageRequest& request, const LotteryScope& scope);
    // The list page named by "Page" and "OnePageNum" after a change.
    std::string ownList(const PageRequest& request, const LotteryScope& scope, int page,
                        int pageSize);
    std::string touch(const PageRequest& request, const LotteryScope& scope);

    ServiceContext& context_;
};

}  // namespace quorstat::service
