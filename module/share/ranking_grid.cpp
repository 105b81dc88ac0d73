#include "share/ranking_grid.h"

#include <fmt/format.h>

namespace quorstat {

namespace {

constexpr Rgb kRed = 0xFF0000;
constexpr Rgb kBlue = 0x0000FF;
constexpr Rgb kWhite = 0xFFFFFF;
constexpr std::size_t kTrendColumn = 3;

std::string valueText(double value, RankingPage page) {
    if (page == RankingPage::Fans)
        return fmt::format("{}", static_cast<long long>(value));
    return fmt::format("{:.2f}", value);
}

}  // namespace

RankingTrend RankTrend(int rank, int previousRank) {
    if (previousRank < rank)
        return {fmt::format("↓ {}", rank - previousRank), kBlue};
    if (rank < previousRank)
        return {fmt::format("↑ {}", previousRank - rank), kRed};
    return {"—", 0};
}

GridContent RankingGrid(const std::vector<tagRANKINGITEM>& items, const RankingKindInfo& kind,
                        std::string_view ownName) {
    GridContent grid;
    grid.columns = {{"排名", false, GridCompare::Number},
                    {"用户"},
                    {std::string(kind.valueColumn), false, GridCompare::Number},
                    {"走势"}};
    for (const tagRANKINGITEM& item : items) {
        const RankingTrend trend = RankTrend(item.rank, item.previousRank);
        GridRow row;
        row.cells = {fmt::format("{}", item.rank), item.userName, valueText(item.value, kind.page),
                     trend.text};
        row.cellColours.resize(grid.columns.size());
        if (trend.colour != 0)
            row.cellColours[kTrendColumn].text = trend.colour;
        if (!ownName.empty() && item.userName == ownName)
            row.cellColours[kRankingNameColumn] = {kWhite, kRed};
        grid.rows.push_back(std::move(row));
    }
    return grid;
}

}  // namespace quorstat
