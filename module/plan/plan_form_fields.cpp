#include "plan/plan_form_fields.h"

#include <fmt/format.h>

#include "net/reply_text.h"

namespace quorstat {

namespace {

constexpr double kLargestSetting = 10000000;

std::string money(double value) {
    return fmt::format("{:.2f}", value);
}

std::string costOrPrize(double value) {
    return fmt::format("{:.3f}", value);
}

// Rates, profits, capital and counts of issues or multiples are above 0 and up to ten million.
bool inSettingRange(double value) {
    return value > 0 && value <= kLargestSetting;
}

// Collects the read-back: each field is read from its text, an invalid one takes its default, and
// the last message that concerns the chosen strategy is the one shown.
class ReadBack {
public:
    explicit ReadBack(int strategy) : strategy_(strategy) {}

    template <typename Valid>
    void real(double& field, const std::string& text, Valid valid, double fallback,
              const char* message, bool concerns = true) {
        take(field, ReadReal(text), valid, fallback, message, concerns);
    }
    template <typename Valid>
    void count(std::int32_t& field, const std::string& text, Valid valid, std::int32_t fallback,
               const char* message, bool concerns) {
        take(field, ReadInt(text), valid, fallback, message, concerns);
    }
    bool chosen(int strategy) const { return strategy_ == strategy; }
    std::string message() const { return message_; }

private:
    template <typename T, typename Valid>
    void take(T& field, T value, Valid valid, T fallback, const char* message, bool concerns) {
        const bool invalid = !valid(value);
        field = invalid ? fallback : value;
        if (invalid && concerns)
            message_ = message;
    }

    int strategy_;
    std::string message_;
};

}  // namespace

PlanFormFields FieldsFromRecord(const tagCONFIG_MYPLANDATA& record) {
    PlanFormFields fields;
    fields.issueIndex =
        record.issueCount >= 1 && record.issueCount <= kMaxIssueCount ? record.issueCount - 1 : -1;
    fields.strategy = isStrategy(record.strategy) ? record.strategy : 0;
    fields.linkPrize = record.linkPrize != 0;
    fields.useCapital = record.useCapital != 0;
    fields.raiseMode = record.raiseMode == RaiseDouble ? RaiseDouble : RaiseAdd;
    fields.unitCost = costOrPrize(record.unitCost);
    fields.prize = costOrPrize(DisplayedPrize(record));
    fields.capital = money(record.capital);
    fields.fixedRate = money(record.fixedRate);
    fields.fixedProfit = money(record.fixedProfit);
    fields.stepProfit = money(record.stepProfit);
    fields.startProfit = money(record.startProfit);
    fields.raiseEvery = std::to_string(record.raiseEvery);
    fields.raiseBy = std::to_string(record.raiseBy);
    fields.segment1Issues = std::to_string(record.segment1Issues);
    fields.segment1Rate = money(record.segment1Rate);
    fields.segment2Rate = money(record.segment2Rate);
    fields.initialMultiple = std::to_string(record.initialMultiple);
    return fields;
}

std::string ReadBackForm(const PlanFormFields& fields, tagCONFIG_MYPLANDATA& record) {
    record.issueCount =
        fields.issueIndex >= 0 && fields.issueIndex < kMaxIssueCount ? fields.issueIndex + 1 : 5;
    record.strategy = isStrategy(fields.strategy) ? fields.strategy : MulManual;
    record.linkPrize = fields.linkPrize ? 1 : 0;
    record.useCapital = fields.useCapital ? 1 : 0;
    record.raiseMode = fields.raiseMode == RaiseDouble ? RaiseDouble : RaiseAdd;
    record.initialMultiple = ReadInt(fields.initialMultiple);

    ReadBack back(record.strategy);
    back.real(record.unitCost, fields.unitCost, UnitCostAccepted, 2.0, "单注金额设置不正确");
    back.real(
        record.prize, fields.prize,
        [&](double prize) { return prize > record.unitCost && prize <= 200000; }, 1000.0,
        "中奖金额设置不正确");
    back.real(record.capital, fields.capital, inSettingRange, 1000.0, "初始资金设置不正确",
              back.chosen(MulAllIn) && fields.useCapital);
    back.real(record.fixedRate, fields.fixedRate, inSettingRange, 10.0, "固定利润率设置不正确",
              back.chosen(MulFixedRate));
    back.real(record.fixedProfit, fields.fixedProfit, inSettingRange, 100.0, "固定利润设置不正确",
              back.chosen(MulFixedProfit));
    back.real(record.stepProfit, fields.stepProfit, inSettingRange, 100.0, "递增利润设置不正确",
              back.chosen(MulStepProfit));
    back.real(record.startProfit, fields.startProfit, inSettingRange, 100.0, "倍增利润设置不正确",
              back.chosen(MulDoublingProfit));
    back.count(record.raiseEvery, fields.raiseEvery, inSettingRange, 2, "翻倍期数设置不正确",
               back.chosen(MulByIssues));
    back.count(record.raiseBy, fields.raiseBy, inSettingRange, 1, "翻倍期数中倍数设置不正确",
               back.chosen(MulByIssues));
    back.count(
        record.segment1Issues, fields.segment1Issues,
        [&](std::int32_t issues) { return issues > 0 && issues <= record.issueCount; }, 1,
        "分段利润中第一段期数设置不正确", back.chosen(MulSegmentRate));
    back.real(record.segment1Rate, fields.segment1Rate, inSettingRange, 10.0,
              "分段利润中第一段利润率设置不正确", back.chosen(MulSegmentRate));
    back.real(record.segment2Rate, fields.segment2Rate, inSettingRange, 10.0,
              "分段利润中第二段利润率设置不正确", back.chosen(MulSegmentRate));
    return back.message();
}

bool PrizeInRange(int playId, double unitCost, double prize) {
    switch (playId) {
        case 1301:
            return prize <= unitCost * 97.5;
        case 1302:
            return prize <= unitCost * 975;
        case 1303:
            return prize <= unitCost * 9750;
        case 1304:
            return prize <= unitCost * 97500;
        case 1305:
            return prize <= unitCost * 48.75;
        case 1306:
            return prize <= unitCost * 325 && prize <= 325;
        case 1307:
        case 1308:
        case 1309:
        case 1310:
            return prize <= unitCost * 5;
        case 1311:
            return prize <= unitCost * 10;
        default:
            return true;
    }
}

bool UnitCostAccepted(double unitCost) {
    return unitCost >= 0.001 && unitCost <= 1000;
}

bool PrizeAccepted(double prize, double unitCost) {
    return prize > unitCost && prize <= kLargestSetting;
}

bool CapitalAccepted(double capital, double unitCost) {
    return capital >= unitCost;
}

double LinkedPrize(double prize, double oldUnitCost, double newUnitCost) {
    if (oldUnitCost <= 0)
        return prize;
    return prize * newUnitCost / oldUnitCost;
}

}  // namespace quorstat
