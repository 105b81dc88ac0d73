#include "console/plan_text.h"

#include <fmt/format.h>

#include <algorithm>
#include <array>

#include "core/app_state.h"
#include "net/reply_text.h"
#include "plan/lottery_table.h"
#include "plan/play_table.h"
#include "plan/position_table.h"

namespace quorstat {
namespace {

constexpr std::string_view kLineBreak = "\r\n";

enum PlanStatus { Waiting = 0, Hit = 1, Missed = 2, Stopped = 3 };

std::string positionNames(std::string_view codes, int lotteryId) {
    return ConvertPositions(codes, lotteryId, PositionDirection::toNames);
}

std::string ordinal(const tagPLANITEM& plan, bool shown) {
    return shown ? fmt::format(" ({})", plan.issueOrdinal) : std::string();
}

std::string statusWord(const tagTEMPLATEITEM& item, const tagPLANITEM& plan, int lotteryId) {
    switch (plan.status) {
        case Waiting:
            return item.Wait + ordinal(plan, item.DispIssueNum) + ' ';
        case Hit: {
            std::string word = item.Win + ordinal(plan, item.DispIssueNum);
            // A plan on one position set says nothing more by naming it.
            if (item.DispPosition && plan.positions.find(',') != std::string::npos)
                word += "[" + positionNames(plan.hitPositions, lotteryId) + "]";
            return word + ' ';
        }
        case Missed:
            return item.Loss + ordinal(plan, item.DispIssueNum) + ' ';
        case Stopped:
            return "停" + ordinal(plan, true) + ' ';
        default:
            return {};
    }
}

std::string signature(const tagTEMPLATEITEM& item, const PlanTextContext& context) {
    if (item.SignName.empty())
        return {};
    return (item.SignName == kUserNameSign ? context.userName : item.SignName) + ' ';
}

std::string planLine(const tagTEMPLATEITEM& item, const tagPLANITEM& plan,
                     const PlanTextContext& context) {
    std::string line = signature(item, context);
    line += fmt::format("{:03d} - {:03d} ", plan.firstIssue % 1000, plan.lastIssue % 1000);
    line += fmt::format("{} {}", PlayStarName(context.playId), PlayKindName(context.playId));
    if (context.starCount != context.positionCount)
        line += "【" + positionNames(plan.positions, context.lotteryId) + "】";
    else
        line += ' ';
    line += fmt::format("{}期 ", plan.issueCount);
    if (item.DispMultiple)
        line += plan.multiples + "倍 ";
    line += fmt::format("{}注 ", plan.betCount);
    if (item.DispCode)
        line += fmt::format("开[{}] ", plan.drawCode.empty() ? "*****" : plan.drawCode);
    line += statusWord(item, plan, context.lotteryId);
    if (item.DispProfit)
        line += fmt::format("利润：{:.2f} ", plan.profit);
    return line += kLineBreak;
}

// 定位胆 numbers such as "1:01,3:5" read "【万01】，【百5】".
std::string numbersSection(std::string_view numbers, int playId) {
    if (playFamily(playId) != PlayFamily::positional)
        return std::string(numbers);
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 5> kPositions{
        {{"1:", "万"}, {"2:", "千"}, {"3:", "百"}, {"4:", "十"}, {"5:", "个"}}};
    std::string section;
    for (const std::string_view piece : SplitList(numbers, ',', SplitMode::Lenient)) {
        std::string named(piece);
        for (const auto& [code, name] : kPositions) {
            for (std::size_t at = named.find(code); at != std::string::npos;
                 at = named.find(code, at + name.size()))
                named.replace(at, code.size(), name);
        }
        section += (section.empty() ? "【" : "，【") + named + "】";
    }
    return section;
}

std::string summaryLines(const tagTEMPLATEITEM& item, const PlanSummary& summary) {
    std::string lines;
    if (item.DispSuccessRatio)
        lines += fmt::format("共{}个方案，{}中{}，成功率：{:.2f}%{}", summary.planCount,
                             summary.planCount - summary.runningPlans, summary.hitPlans,
                             summary.successRate, kLineBreak);
    if (item.DispHit || item.DispHitNow) {
        if (item.DispHit)
            lines += fmt::format("最大连中：{}，最大连挂：{}", summary.longestHitRun,
                                 summary.longestMissRun);
        if (item.DispHitNow)
            lines += fmt::format("{}{}：{}", item.DispHit ? "，" : "",
                                 summary.currentRunKind == 1 ? "最近连中" : "最近连挂",
                                 summary.currentRun);
        lines += kLineBreak;
    }
    if (item.DispProfitCollect)
        lines += fmt::format(
            "投注总额：{:.2f}，奖金总额：{:.2f}，当前投注：{:.2f}{}"
            "利润总额：{:.2f}，平均利润：{:.2f}，利润率：{:.2f}%{}",
            summary.totalStake, summary.totalPrize, summary.runningStake, kLineBreak,
            summary.totalProfit, summary.averageProfit, summary.profitRate, kLineBreak);
    return lines;
}

std::string drawLine(const PlanTextContext& context) {
    const std::string_view lottery = LotteryName(context.lotteryId);
    if (context.closedIssue != 0 && !context.lastDrawNumbers.empty())
        return fmt::format("{}最新开奖：第{}期 {}{}", lottery, context.closedIssue,
                           context.lastDrawNumbers, kLineBreak);
    return fmt::format("{}最新开奖：等待开奖{}", lottery, kLineBreak);
}

}  // namespace

const tagTEMPLATEITEM* TemplateInUse(std::span<const tagTEMPLATEITEM> templates,
                                     std::string_view currentName) {
    if (templates.empty())
        return nullptr;
    const auto own = templates.subspan(1);
    const auto named = std::ranges::find(own, currentName, &tagTEMPLATEITEM::TempletName);
    return named != own.end() ? &*named : &templates.front();
}

PlanTextContext CurrentPlanTextContext(const AppState& state) {
    return {state.lotteryId,
            state.playId,
            state.play.starCount,
            state.play.positionCount,
            state.userName,
            state.draw.closedIssue,
            state.draw.lastDrawNumbers,
            state.settings.planTextBlankLine};
}

std::string ComposePlanText(const tagTEMPLATEITEM& item, std::span<const tagPLANITEM> plans,
                            const PlanSummary& summary, const PlanTextContext& context) {
    if (plans.empty())
        return {};
    std::string planLines;
    for (const tagPLANITEM& plan : plans)
        planLines += planLine(item, plan, context);
    if (context.blankLine)
        planLines += kLineBreak;

    std::string text;
    const std::string& numbers = plans.back().numbers;
    if (numbers.empty()) {
        text = std::move(planLines);
    } else {
        const std::string block = numbersSection(numbers, context.playId) +
                                  std::string(context.blankLine ? "\r\n\r\n" : "\r\n");
        text = item.DispProjectDown ? planLines + block : block + planLines;
    }
    text += summaryLines(item, summary);
    text += drawLine(context);
    return text += item.Remark;
}

}  // namespace quorstat
