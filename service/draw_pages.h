#pragma once

#include <string>

#include "service/civil_time.h"

namespace quorstat::service {

class Router;
struct LotterySchedule;
struct PageRequest;
struct ServiceContext;

// BetFlashTime.asp, BetFlashLotteryTime.asp, BetLotteryData.asp: the clock and the draws.
class DrawPages {
public:
    static constexpr int kMaxRecentDraws = 100;

    explicit DrawPages(ServiceContext& context) : context_(context) {}

    void addTo(Router& router);

private:
    std::string serverTime(const PageRequest& request);
    std::string drawTimeTable(const PageRequest& request);
    std::string drawData(const PageRequest& request);
    std::string latestDraw(const LotterySchedule& lottery, int issue, CivilSeconds now);
    std::string recentDraws(const LotterySchedule& lottery, int count, CivilSeconds now);

    ServiceContext& context_;
};

}  // namespace quorstat::service
