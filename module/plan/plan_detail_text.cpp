#include "plan/plan_detail_text.h"

#include <fmt/format.h>

#include "plan/lottery_table.h"
#include "plan/position_table.h"

namespace quorstat {

namespace {

std::string stateText(const tagPLANITEM& plan, int lotteryId) {
    std::string state;
    switch (plan.status) {
        case 0:
            state = "等待开奖";
            break;
        case 1:
            state = "[" +
                    ConvertPositions(plan.hitPositions, lotteryId, PositionDirection::toNames) +
                    "]中奖";
            break;
        case 2:
            state = "挂";
            break;
        case 3:
            state = "停";
            break;
        default:
            break;
    }
    return fmt::format("{}({})", state, plan.issueOrdinal);
}

}  // namespace

std::array<std::string, 9> PlanDetailLines(const tagPLANITEM& plan) {
    const int lotteryId = LotteryIdFromName(plan.lotteryName);
    return {
        "用户名称：" + plan.userName,
        "投注类型：" + plan.lotteryName + "，" + plan.starName + plan.kindName + "，位置：" +
            ConvertPositions(plan.positions, lotteryId, PositionDirection::toNames),
        "提交时间：" + plan.betTime,
        fmt::format("投注期数：{}期 - {}期 （共{}期）", plan.firstIssue, plan.lastIssue,
                    plan.issueCount),
        "投注倍数：" + plan.multiples,
        fmt::format("单注成本：{:.3f}，单注奖金：{:.3f}", plan.unitCost, plan.prize),
        fmt::format("投注金额：{:.2f}，中奖金额：{:.2f}，利润：{:.2f}", plan.betAmount,
                    plan.prizeAmount, plan.profit),
        "投注状态：" + stateText(plan, lotteryId) + "，开奖号码：" + plan.drawCode,
        fmt::format("投注号码【{}注】：", plan.betCount),
    };
}

}  // namespace quorstat
