#include "service/plan_upload.h"

#include <fmt/format.h>

#include <algorithm>
#include <charconv>

#include "plan/play_table.h"
#include "plan/position_table.h"
#include "service/lottery_scope.h"
#include "service/page_error.h"
#include "service/page_request.h"
#include "service/plan_bet.h"
#include "service/plan_records.h"

namespace quorstat::service {
namespace {

constexpr Milli kMinUnitCost = 1;                     // 0.001
constexpr Milli kMaxUnitCost = 1000 * kMilliPerYuan;  // the calculator's limits
constexpr Milli kMaxPrize = 10'000'000 * kMilliPerYuan;
constexpr Milli kMaxIssueStake = 999'999'999 * kMilliPerYuan;
constexpr int kMaxIssues = 99;

struct UnitMode {
    Milli minCost;
    int maxMultiple;
    std::string_view name;
};

// The smaller the unit, the larger the multiples it allows.
constexpr UnitMode kUnitModes[] = {
    {1000, 9999, "元"}, {100, 99999, "角"}, {10, 999999, "分"}, {1, 9999999, "厘"}};

// The prize of one bet may be at most cost × cap; the cap in hundredths, by play.
int prizeCapHundredths(int playId) {
    switch (playId) {
        case 1301:
            return 9750;
        case 1302:
            return 97500;
        case 1303:
            return 975000;
        case 1304:
            return 9750000;
        case 1305:
            return 4875;
        case 1306:
            return 32500;
        case 1311:
            return 1000;
        default:
            return 500;
    }
}

Milli readMoney(const FormBody& form, std::string_view name, std::string_view message) {
    const std::optional<Milli> amount = parseMoney(form.required(name));
    if (!amount)
        throw PageError(std::string(message));
    return *amount;
}

std::vector<std::string> readPositions(const FormBody& form, int starCount) {
    const std::span<const tagPOSITIONINFO> choices = positionChoices(starCount);
    std::vector<std::string> codes;
    std::string_view list = form.required("Position");
    while (true) {
        const std::size_t end = std::min(list.find(','), list.size());
        const std::string_view code = list.substr(0, end);
        const bool known =
            std::any_of(choices.begin(), choices.end(),
                        [code](const tagPOSITIONINFO& entry) { return entry.code == code; });
        if (!known || std::find(codes.begin(), codes.end(), code) != codes.end())
            throw PageError("投注位置不正确");
        codes.emplace_back(code);
        if (end == list.size())
            return codes;
        list.remove_prefix(end + 1);
    }
}

// Within the range of the unit the cost is given in; the first multiple may not be 0.
std::vector<int> readMultiples(const FormBody& form, int issueCount, Milli unitCost) {
    const UnitMode& mode =
        *std::find_if(std::begin(kUnitModes), std::end(kUnitModes),
                      [unitCost](const UnitMode& m) { return unitCost >= m.minCost; });
    std::vector<int> multiples;
    std::string_view list = form.required("Multiple");
    while (true) {
        const std::size_t end = std::min(list.find(','), list.size());
        const std::string_view text = list.substr(0, end);
        int multiple = 0;
        const auto [last, error] =
            std::from_chars(text.data(), text.data() + text.size(), multiple);
        if (text.empty() || error != std::errc() || last != text.data() + text.size())
            throw PageError("投注倍数不正确");
        if (multiple < 0 || multiple > mode.maxMultiple)
            throw PageError(fmt::format(
                "单注金额为“{}”模式下，倍数范围：0-{}，要提交的方案倍数设置不在允许的范围内",
                mode.name, mode.maxMultiple));
        multiples.push_back(multiple);
        if (end == list.size())
            break;
        list.remove_prefix(end + 1);
    }
    if (static_cast<int>(multiples.size()) != issueCount)
        throw PageError("倍数个数与期数不符");
    if (multiples.front() == 0)
        throw PageError("第一期的投注倍数不能为0");
    return multiples;
}

// The first issue must still be open and at most a day ahead; the last must end the run.
void readIssues(const FormBody& form, const LotterySchedule& lottery, CivilSeconds now,
                Plan& plan) {
    plan.firstIssue = static_cast<int>(form.requiredInteger("Issue1", 1, 999999999));
    const std::optional<CivilSeconds> drawAt = LotteryCalendar::drawTime(lottery, plan.firstIssue);
    if (!drawAt || *drawAt > now + kSecondsPerDay)
        throw PageError("投注期号不正确");
    if (*drawAt <= now)
        throw PageError("投注已截至，请等待下一期");
    const int issueCount = plan.issueCount();
    plan.lastIssue = LotteryCalendar::issueAfter(lottery, plan.firstIssue, issueCount - 1);
    if (form.requiredInteger("Issue2", 1, 999999999) != plan.lastIssue)
        throw PageError("结束期号与期数不符");
    plan.nextIssue = plan.firstIssue;
    plan.nextDrawAt = *drawAt;
}

void checkPrize(const Plan& plan) {
    if (plan.prize <= plan.unitCost || plan.prize > kMaxPrize)
        throw PageError("中奖金额设置不正确");
    // 三星组选 pays at most 325 a bet whatever the cost.
    if (plan.prize * 100 > plan.unitCost * prizeCapHundredths(plan.playId) ||
        (plan.playId == 1306 && plan.prize > 325 * kMilliPerYuan))
        throw PageError("中奖金额范围不正确");
}

void checkStakes(const Plan& plan) {
    const Milli perMultiple = static_cast<Milli>(plan.betCount) *
                              static_cast<Milli>(plan.positions.size()) * plan.unitCost;
    const int largest = *std::max_element(plan.multiples.begin(), plan.multiples.end());
    if (largest > kMaxIssueStake / perMultiple)
        throw PageError("单期投注金额超出范围");
}

}  // namespace

PlanUpload PlanUpload::read(const PageRequest& request, const LotteryScope& scope) {
    const FormBody& form = request.form;
    if (form.required("sUserName") != request.user->name)
        throw PageError("不能为其他用户上传方案");
    const PlayInfo& play = *findPlay(scope.playId);
    Plan plan;
    plan.userId = request.user->id;
    plan.userName = request.user->name;
    plan.lotteryId = scope.lottery->id;
    plan.playId = scope.playId;
    plan.positions = readPositions(form, play.starCount);
    plan.unitCost = readMoney(form, "ChipsPrice", "单注金额设置不正确");
    if (plan.unitCost < kMinUnitCost || plan.unitCost > kMaxUnitCost)
        throw PageError("单注金额设置不正确");
    plan.prize = readMoney(form, "Bonus", "中奖金额设置不正确");
    checkPrize(plan);
    const auto issueCount = static_cast<int>(form.requiredInteger("IssueNum", 1, kMaxIssues));
    plan.multiples = readMultiples(form, issueCount, plan.unitCost);
    readIssues(form, *scope.lottery, request.now, plan);
    const PlanBet bet = PlanBet::parse(scope.playId, form.required("BetContext"));
    plan.numbers = bet.text();
    plan.betCount = bet.betCount();
    if (form.requiredInteger("BetNum", 1, INT32_MAX) != plan.betCount)
        throw PageError("投注注数与号码不符");
    checkStakes(plan);
    // The bet time is the service's own: a client clock says nothing about when a bet was made.
    if (!parseDateTime(form.required("BetTime")))
        throw PageError("字段“BetTime”的值不正确");
    plan.betTime = formatDateTime(request.now);
    readMoney(form, "InitMoney", "字段“InitMoney”的值不正确");
    form.requiredInteger("Page", 1, INT32_MAX);

    PlanUpload upload;
    upload.share = form.requiredInteger("Share", 0, 1) == 1;
    upload.pageSize = static_cast<int>(form.requiredInteger("OnePageNum", 0, kMaxPlanPageSize));
    if (form.optionalInteger("BetByLocation", 0, 1).value_or(0) == 1 && plan.positions.size() > 1) {
        for (const std::string& code : plan.positions) {
            Plan single = plan;
            single.positions = {code};
            upload.plans.push_back(std::move(single));
        }
    } else {
        upload.plans.push_back(std::move(plan));
    }
    return upload;
}

}  // namespace quorstat::service
