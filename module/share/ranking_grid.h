#pragma once

#include <string_view>
#include <vector>

#include "share/rankings.h"
#include "ui/grid_content.h"

namespace quorstat {

inline constexpr std::size_t kRankingNameColumn = 1;

// A panel's grid: "排名", "用户", the kind's value column and "走势"; the logged-in user's name
// white on red.
GridContent RankingGrid(const std::vector<tagRANKINGITEM>& items, const RankingKindInfo& kind,
                        std::string_view ownName);

// "↑ n" in red for a rise, "↓ n" in blue for a fall, "—" for none.
struct RankingTrend {
    std::string text;
    Rgb colour = 0;
};
RankingTrend RankTrend(int rank, int previousRank);

}  // namespace quorstat
