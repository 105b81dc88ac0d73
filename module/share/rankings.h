#pragma once

#include <array>
#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "net/request_catalogue.h"

namespace quorstat {

// One ranked user.
struct tagRANKINGITEM {
    std::int32_t lotteryId = 0;  // at reception
    std::int32_t playId = 0;
    std::string date;  // "%Y-%m-%d" of the server time at reception
    std::string userName;
    double value = 0;  // points, online hours or followers
    std::int32_t rank = 0;
    std::int32_t previousRank = 0;
    std::int32_t userId = 0;
    std::int32_t sharing = 0;
    std::string spare;
};

inline constexpr int kRankingOnline = 1501;
inline constexpr int kRankingFans = 1502;
inline constexpr int kRankingDay = 1503;
inline constexpr int kRankingTotal = 1506;
inline constexpr std::size_t kMaxRankingPanels = 4;

using RankingPanels = std::array<std::vector<tagRANKINGITEM>, kMaxRankingPanels>;

enum class RankingPage { Points, Online, Fans };

// What a ranking kind (1501..1506) shows and asks for.
struct RankingKindInfo {
    int kind = 0;
    RankingPage page = RankingPage::Points;
    std::vector<std::string_view> panelTitles;
    std::string_view valueColumn;
    std::optional<RankingPeriod> period;  // for the points pages
};

// The kind's description; none outside 1501..1506.
std::optional<RankingKindInfo> RankingKind(int kind);
// The window's caption; `playNames` is lottery, star and kind name run together.
std::string RankingCaption(int kind, std::string_view playNames);
// The request type (28..30) that answers the kind.
int RankingRequestType(RankingPage page);

// What every record of a reply is stamped with.
struct RankingReception {
    int lotteryId = 0;
    int playId = 0;
    std::string date;
};

// Reads a ranking reply of `page` into `panels`. Each panel section replaces its panel; after the
// last section the logged-in user's own entry is appended to a panel that lacks him. False when
// the reply does not begin with "1" or a section breaks the syntax: the sections before it are
// kept, that section's panel and those after it stay as they were.
bool ReadRankingReply(std::string_view reply, RankingPage page, const RankingReception& reception,
                      RankingPanels& panels);

// "刷新" asks the service again only an hour of server time after the shown data.
inline constexpr std::time_t kRankingRefreshSeconds = 3600;
bool RankingRefreshDue(std::time_t dataTime, std::time_t serverTime);

// The user a double click picks: the last entry of that name in any panel.
const tagRANKINGITEM* FindRankedUser(const RankingPanels& panels, std::string_view name);

}  // namespace quorstat
