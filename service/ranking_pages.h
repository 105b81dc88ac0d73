#pragma once

#include <string>
#include <string_view>

namespace quorstat::service {

class Router;
struct LotteryScope;
struct PageRequest;
struct ServiceContext;

// BetTOP100Rank.asp, BetTOP100Online.asp, BetTOP100Fans.asp: the lists the ranking job wrote,
// the first 100 of each panel and the caller's own entry.
class RankingPages {
public:
    static constexpr int kListLength = 100;

    explicit RankingPages(ServiceContext& context) : context_(context) {}

    void addTo(Router& router);

private:
    struct Panel {
        std::string_view countKey;
        std::string_view ownKey;
    };

    std::string points(const PageRequest& request);
    std::string online(const PageRequest& request);
    std::string fans(const PageRequest& request);

    // COUNTKEY=N|RECORD$...##OWNKEY=0 or 1|RECORD$## for one panel of a stored list.
    std::string sections(const PageRequest& request, std::string_view list, int panel,
                         const Panel& keys, int lotteryId, int playId, const LotteryScope* scope);

    ServiceContext& context_;
};

}  // namespace quorstat::service
