#include "plan/own_plan_grid.h"

#include <fmt/format.h>

#include <algorithm>
#include <array>

#include "net/date_time.h"
#include "plan/position_table.h"

namespace quorstat {
namespace {

enum PlanState { Waiting = 0, Hit = 1, Missed = 2, Stopped = 3 };

struct StateLook {
    std::string_view word;
    Rgb colour;
};

constexpr std::array<StateLook, 4> kStates{{
    {"等", 0x0000FF},
    {"中", 0xFF0000},
    {"挂", 0x969696},
    {"停", 0x646464},
}};
constexpr Rgb kLoss = 0xFF0000;

std::vector<GridColumn> columns() {
    constexpr GridCompare text = GridCompare::Text;
    constexpr GridCompare number = GridCompare::Number;
    return {
        {"序号", false, number}, {"期号", false, text},       {"玩法", false, text},
        {"类型", false, text},   {"位置", false, text},       {"期数", false, number},
        {"倍数", false, text},   {"注数", false, number},     {"奖号", false, text},
        {"状态", false, text},   {"投注额", false, number},   {"奖金", false, number},
        {"利润", false, number}, {"详情", false, text, true}, {"操作", false, text, true},
    };
}

std::string money(double value) {
    return fmt::format("{:.2f}", value);
}

GridRow row(const tagPLANITEM& plan, int number, const OwnPlanGridContext& context) {
    GridRow row;
    row.cells.resize(kPlanColumnCount);
    row.cellColours.resize(kPlanColumnCount);
    auto& cells = row.cells;
    cells[kPlanRowNumber] = std::to_string(number);
    cells[kPlanIssues] =
        fmt::format("{:03d} - {:03d}", plan.firstIssue % 1000, plan.lastIssue % 1000);
    cells[kPlanStar] = plan.starName;
    cells[kPlanKind] = plan.kindName;
    if (!context.fiveStar)
        cells[kPlanPositions] =
            ConvertPositions(plan.positions, context.lotteryId, PositionDirection::toNames);
    cells[kPlanIssueCount] = std::to_string(plan.issueCount);
    cells[kPlanMultiples] = plan.multiples;
    cells[kPlanBets] = std::to_string(plan.betCount);
    cells[kPlanDrawCode] = plan.drawCode.empty() ? "*****" : plan.drawCode;
    if (plan.status >= Waiting && plan.status <= Stopped) {
        const StateLook& look = kStates[static_cast<std::size_t>(plan.status)];
        cells[kPlanState] = fmt::format("{}({})", look.word, plan.issueOrdinal);
        row.cellColours[kPlanState].text = look.colour;
    }
    cells[kPlanStake] = money(plan.betAmount);
    cells[kPlanPrize] = money(plan.prizeAmount);
    cells[kPlanProfit] = money(plan.profit);
    if (plan.profit < 0)
        row.cellColours[kPlanProfit].text = kLoss;
    cells[kPlanDetail] = "查看";
    cells[kPlanAction] = std::string(PlanActionLink(plan, context.currentIssue));
    return row;
}

template <typename Pick>
std::vector<std::int32_t> selectedIds(const std::vector<tagPLANITEM>& plans,
                                      const std::vector<std::size_t>& records, Pick pick) {
    std::vector<std::int32_t> ids;
    for (const std::size_t record : records)
        if (record < plans.size() && pick(plans[record]))
            ids.push_back(plans[record].planId);
    return ids;
}

}  // namespace

GridContent OwnPlanGrid(const std::vector<tagPLANITEM>& plans, const OwnPlanGridContext& context) {
    GridContent content;
    content.columns = columns();
    content.rows.reserve(plans.size());
    const int count = static_cast<int>(plans.size());
    const int before = (std::max(context.currentPage, 1) - 1) * std::max(context.pageSize, 0);
    for (int index = 0; index < count; ++index)
        content.rows.push_back(
            row(plans[static_cast<std::size_t>(index)], count + before - index, context));
    return content;
}

GridContent SharedPlanGrid(const std::vector<tagPLANITEM>& plans,
                           const OwnPlanGridContext& context) {
    GridContent content = OwnPlanGrid(plans, context);
    content.columns.pop_back();
    for (GridRow& row : content.rows) {
        row.cells.pop_back();
        row.cellColours.pop_back();
    }
    return content;
}

std::string_view PlanActionLink(const tagPLANITEM& plan, int currentIssue) {
    if (plan.status != Waiting)
        return {};
    if (plan.issueOrdinal >= 2)
        return "停止";
    return plan.firstIssue == currentIssue ? "删除" : std::string_view();
}

bool CanStopPlan(const tagPLANITEM& plan) {
    return plan.status == Waiting && plan.issueOrdinal >= 2;
}

bool CanDeletePlan(const tagPLANITEM& plan) {
    return plan.status == Waiting && plan.issueOrdinal < 2;
}

OwnPlanMenuItems MenuItemsFor(const std::vector<tagPLANITEM>& plans,
                              const std::vector<std::size_t>& records) {
    const auto every = [&](bool (*allows)(const tagPLANITEM&)) {
        return !records.empty() && std::all_of(records.begin(), records.end(), [&](std::size_t r) {
            return r < plans.size() && allows(plans[r]);
        });
    };
    return {every(CanStopPlan), every(CanDeletePlan)};
}

std::vector<std::int32_t> PlansToStop(const std::vector<tagPLANITEM>& plans,
                                      const std::vector<std::size_t>& records) {
    return selectedIds(plans, records,
                       [](const tagPLANITEM& plan) { return plan.status == Waiting; });
}

std::vector<std::int32_t> PlansToDelete(const std::vector<tagPLANITEM>& plans,
                                        const std::vector<std::size_t>& records) {
    return selectedIds(plans, records, CanDeletePlan);
}

std::vector<BoxUser> PlansForBigBase(const std::vector<tagPLANITEM>& plans,
                                     const std::vector<std::size_t>& records,
                                     std::string_view userName, std::int32_t userId) {
    std::vector<BoxUser> users;
    for (const std::int32_t planId :
         selectedIds(plans, records, [](const tagPLANITEM&) { return true; }))
        users.push_back({std::string(userName), userId, planId});
    return users;
}

std::string OwnPlanExportName(std::time_t serverTime, std::string_view lotteryName,
                              std::string_view starName, std::string_view kindName,
                              std::string_view userName) {
    return fmt::format("{}-{}{}{}-{}-方案列表", FormatDateTime(serverTime).substr(0, 10),
                       lotteryName, starName, kindName, userName);
}

}  // namespace quorstat
