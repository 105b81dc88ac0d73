#include "plan/plan_submission.h"

#include <fmt/format.h>
#include <fmt/ranges.h>

#include <algorithm>
#include <array>
#include <cmath>

#include "plan/bet_numbers.h"
#include "plan/digit_set.h"
#include "plan/issue_number.h"
#include "plan/plan_form_fields.h"
#include "plan/play_table.h"
#include "plan/position_table.h"
#include "plan/positional_picker.h"

namespace quorstat {

namespace {

struct UnitMode {
    std::int64_t smallestCostMilli;  // thousandths of a yuan
    std::int64_t largestMultiple;
    std::string_view name;
};

// The smaller the unit of the cost, the larger the multiples the service takes.
constexpr std::array<UnitMode, 4> kUnitModes{{
    {1000, 9999, "元"},
    {100, 99999, "角"},
    {10, 999999, "分"},
    {1, 9999999, "厘"},
}};

// The mode of the cost as it is sent ("%0.3f"), so the service reads the same mode.
const UnitMode& unitModeOf(double unitCost) {
    const auto milli = static_cast<std::int64_t>(std::llround(unitCost * 1000));
    const auto* mode = std::ranges::find_if(
        kUnitModes, [milli](const UnitMode& m) { return milli >= m.smallestCostMilli; });
    return mode == kUnitModes.end() ? kUnitModes.back() : *mode;
}

// Number plays whose prize is at most this many times the cost get the ratio question.
std::optional<double> ratioThreshold(int playId) {
    switch (playId) {
        case 1301:
            return 30;
        case 1302:
            return 300;
        case 1303:
            return 5000;
        case 1304:
            return 50000;
        case 1305:
            return 50;
        case 1306:
            return 500;
        default:
            return std::nullopt;
    }
}

std::string multiplesRefusal(const std::vector<std::int64_t>& multiples, double unitCost) {
    if (multiples.front() == 0)
        return "第一期的投注倍数不能为0";
    const UnitMode& mode = unitModeOf(unitCost);
    const bool inRange = std::ranges::all_of(multiples, [&](std::int64_t multiple) {
        return multiple >= 0 && multiple <= mode.largestMultiple;
    });
    if (inRange)
        return {};
    return fmt::format("单注金额为“{}”模式下，倍数范围：0-{}，要提交的方案倍数设置不在允许的范围内",
                       mode.name, mode.largestMultiple);
}

std::string joined(const auto& items) {
    return fmt::format("{}", fmt::join(items, ","));
}

// The position names sent: a play using every position has its one fixed set.
std::string positionList(const UploadForm& form, const PlayState& play) {
    static constexpr std::array<std::string_view, 4> kWholeSets{"前二", "前三", "前四", "前五"};
    if (play.positionCount == play.starCount && play.starCount >= 2 && play.starCount <= 5)
        return std::string(kWholeSets[static_cast<std::size_t>(play.starCount - 2)]);
    return joined(form.checkedPositions);
}

struct BetContent {
    std::string text;
    std::int32_t count = 0;
};

// 定位胆 sends "k:digits" for each position k (1 for 万 .. 5 for 个) that has digits.
BetContent positionalContent(std::string_view selection) {
    PositionalPicker picker;
    picker.restore(selection);
    std::vector<std::string> groups;
    for (int row = 0; row < PositionalPicker::kRowCount; ++row) {
        if (!picker.row(row).empty())
            groups.push_back(fmt::format("{}:{}", row + 1, picker.row(row).text()));
    }
    return {joined(groups), picker.betCount()};
}

}  // namespace

UploadDecision PlanSubmission::prepare(const UploadForm& form, const PlayState& play,
                                       UploadQuestions& questions) {
    UploadDecision decision;
    const auto refuse = [&decision](std::string message) {
        decision.message = std::move(message);
        return decision;
    };
    if (form.remainingSeconds <= 1)
        return refuse("投注已截至，请等待下一期");
    if (form.multiples.empty() || !form.record)
        return refuse("方案设置不正确");
    const tagCONFIG_MYPLANDATA& record = *form.record;
    if (record.betNumbers.empty())
        return refuse("没有输入投注数据");
    if (!PrizeInRange(record.playId, record.unitCost, record.prize))
        return refuse("中奖金额范围不正确");

    const std::optional<double> threshold = ratioThreshold(record.playId);
    if (ratioQuestionArmed_ && threshold && record.prize / record.unitCost <= *threshold) {
        ratioQuestionArmed_ = false;
        if (!questions.ratioIsRight(record.unitCost, record.prize))
            return decision;
    }
    if (std::string refusal = multiplesRefusal(form.multiples, record.unitCost); !refusal.empty())
        return refuse(std::move(refusal));
    const std::string positions = positionList(form, play);
    if (positions.empty())
        return refuse("请选择投注位置");
    if (!questions.startUpload())
        return decision;
    bool share = form.shared;
    if (!share && questions.shareFromNowOn())
        share = decision.shareChosen = true;

    BetContent bet;
    switch (playFamily(record.playId)) {
        case PlayFamily::positionFree: {
            const DigitSet digits = DigitSet::fromText(record.betNumbers);
            bet = {digits.text(), digits.count()};
            break;
        }
        case PlayFamily::positional:
            bet = positionalContent(record.betNumbers);
            break;
        default: {
            BetCounters counters;
            bet.text = record.betNumbers;
            bet.count = NormalizeBetNumbers(bet.text, counters, play);
            if (bet.count == 0)
                return refuse("请输入有效的投注数据");
            decision.normalizedNumbers = bet.text;
        }
    }
    if (bet.count == 0)
        return refuse("请选择胆码");

    PlanUpload& plan = decision.plan.emplace();
    const auto issueCount = static_cast<std::int32_t>(form.multiples.size());
    plan.positionCodes = ConvertPositions(positions, play.lotteryId, PositionDirection::toCodes);
    plan.unitCost = record.unitCost;
    plan.prize = record.prize;
    plan.firstIssue = play.currentIssue;
    plan.lastIssue =
        LastIssueOfRun(play.currentIssue, issueCount, play.lotteryId, play.issuesPerDay);
    plan.issueCount = issueCount;
    plan.multiples = joined(form.multiples);
    plan.betContent = std::move(bet.text);
    plan.betCount = bet.count;
    plan.betTime = form.serverTime;
    plan.share = share;
    plan.pageSize = form.pageSize;
    plan.betByLocation = form.betByLocation;
    return decision;
}

}  // namespace quorstat
