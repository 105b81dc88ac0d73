#include "share/plan_list_grid.h"

#include <fmt/format.h>

#include "plan/position_table.h"

namespace quorstat {

namespace {

constexpr const char* kColumns[kPlanColumnCount] = {"序号",   "期号", "玩法", "类型", "位置",
                                                    "期数",   "倍数", "注数", "奖号", "状态",
                                                    "投注额", "奖金", "利润", "详情"};

constexpr std::size_t kStatusColumn = 9;
constexpr std::size_t kProfitColumn = 12;
constexpr Rgb kRed = 0xFF0000;

struct StatusLook {
    const char* format;
    Rgb colour;
};

// By PS: waiting, hit, missed, stopped.
constexpr StatusLook kStatusLooks[] = {
    {"等({})", 0x0000FF}, {"中({})", 0xFF0000}, {"挂({})", 0x969696}, {"停({})", 0x646464}};

std::string money(double value) {
    return fmt::format("{:.2f}", value);
}

GridRow planRow(const tagPLANITEM& plan, int number, int lotteryId, int starCount) {
    GridRow row;
    row.cells = {
        std::to_string(number),
        fmt::format("{:03d} - {:03d}", plan.firstIssue % 1000, plan.lastIssue % 1000),
        plan.starName,
        plan.kindName,
        starCount == 5 ? std::string()
                       : ConvertPositions(plan.positions, lotteryId, PositionDirection::toNames),
        std::to_string(plan.issueCount),
        plan.multiples,
        std::to_string(plan.betCount),
        plan.drawCode.empty() ? std::string("*****") : plan.drawCode,
        std::string(),
        money(plan.betAmount),
        money(plan.prizeAmount),
        money(plan.profit),
        "查看",
    };
    row.cellColours.resize(kPlanColumnCount);
    if (plan.status >= 0 && plan.status < static_cast<int>(std::size(kStatusLooks))) {
        const StatusLook& look = kStatusLooks[plan.status];
        row.cells[kStatusColumn] = fmt::format(fmt::runtime(look.format), plan.issueOrdinal);
        row.cellColours[kStatusColumn].text = look.colour;
    }
    if (plan.profit < 0)
        row.cellColours[kProfitColumn].text = kRed;
    return row;
}

}  // namespace

GridContent PlanListGrid(const std::vector<tagPLANITEM>& plans, int topNumber, int lotteryId,
                         int starCount) {
    GridContent grid;
    for (const char* name : kColumns)
        grid.columns.push_back({name});
    for (std::size_t column : {std::size_t{0}, std::size_t{5}, std::size_t{7}, std::size_t{10},
                               std::size_t{11}, kProfitColumn})
        grid.columns[column].compare = GridCompare::Number;
    grid.columns[kPlanDetailColumn].link = true;
    for (std::size_t i = 0; i < plans.size(); ++i)
        grid.rows.push_back(
            planRow(plans[i], topNumber - static_cast<int>(i), lotteryId, starCount));
    return grid;
}

}  // namespace quorstat
