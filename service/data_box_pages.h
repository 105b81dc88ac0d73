#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace quorstat::service {

class Plan;
class Router;
struct LotteryScope;
struct PageRequest;
struct ServiceContext;
struct UserRecord;

// BetPlanContext.asp and BetPlanStatus.asp: what the data box asks about other users' plans.
// A user's plan for an issue is his newest plan on the lottery and play that bets on that
// issue; plans the caller may not see count as none.
class DataBoxPages {
public:
    explicit DataBoxPages(ServiceContext& context) : context_(context) {}

    void addTo(Router& router);

private:
    std::string planContext(const PageRequest& request);
    std::string planStatus(const PageRequest& request);

    // "Issue", with 0 for the issue open now.
    int readIssue(const PageRequest& request, const LotteryScope& scope);
    std::optional<Plan> planAt(const PageRequest& request, const LotteryScope& scope,
                               const UserRecord& owner, int issue);
    // 1 hit, 2 missed, empty while the issue is not drawn.
    std::string stateAt(const Plan& plan, int issue, const PageRequest& request);

    ServiceContext& context_;
};

}  // namespace quorstat::service
