#include "plan/calculator.h"

#include <fmt/format.h>
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "plan/bet_numbers.h"
#include "plan/digit_set.h"
#include "plan/issue_number.h"
#include "plan/play_table.h"
#include "plan/positional_picker.h"

namespace quorstat {

namespace {

constexpr double kLargestMoney = 999999999;
constexpr double kNegativeMoney = -0.0001;
constexpr double kLargestBetCount = 4000000000.0;
// Any multiple beyond this ends the table, so larger quotients need not be told apart.
constexpr std::int64_t kBeyondMultiples = kLargestMultiple + 1;

std::string twoPlaces(double value) {
    return fmt::format("{:.2f}", value);
}

// A quotient as a whole multiple, truncated toward zero; values past the table's end collapse.
std::int64_t wholeMultiple(double value) {
    if (!(value < static_cast<double>(kBeyondMultiples)))
        return kBeyondMultiples;
    if (value < -static_cast<double>(kBeyondMultiples))
        return -kBeyondMultiples;
    return static_cast<std::int64_t>(std::trunc(value));
}

// Whether a stake no longer fits the signed 32-bit value it once was counted in.
bool beyond32Bits(double stake) {
    const double whole = std::trunc(stake);
    return !(whole <= std::numeric_limits<std::int32_t>::max() &&
             whole >= std::numeric_limits<std::int32_t>::min());
}

// What a raised multiple must give on a hit: a profit rate in percent, or a profit.
struct Goal {
    enum Kind { Rate, Profit } kind;
    double target;
};

class TableBuilder {
public:
    TableBuilder(const tagCONFIG_MYPLANDATA& s, std::int64_t betCount, int strategy,
                 const PlayState& play)
        : s_(s),
          f_(static_cast<double>(betCount)),
          strategy_(strategy),
          play_(play),
          d_(s.initialMultiple),
          target_(s.startProfit),
          capital_(s.capital) {}

    std::vector<MultipleRow> build() {
        const int issues = std::clamp(s_.issueCount, 0, kMaxIssueCount);
        for (int i = 0; i < issues; ++i) {
            if (!issue(i))
                break;
        }
        return std::move(rows_);
    }

private:
    double stakeAt(std::int64_t d) const { return static_cast<double>(d) * s_.unitCost * f_; }

    // One issue; false when the table ends before it.
    bool issue(int i) {
        run_ += stakeAt(d_);
        const double m = static_cast<double>(d_) * s_.prize - run_;
        // Without a stake the rate is not a number: no comparison holds, so no raise is due.
        const double r = m * 100 / run_;
        if (!adjust(i, m, r))
            return false;
        if (f_ >= kLargestBetCount || d_ > kLargestMultiple || s_.unitCost >= kLargestMoney ||
            s_.unitCost < kNegativeMoney)
            return false;
        const double cost = stakeAt(d_);
        total_ += cost;
        const double gross = s_.prize * static_cast<double>(d_);
        const double rate = std::abs(total_) < 0.0001 ? 0 : (gross - total_) * 100 / total_;
        if (outOfRange(cost) || outOfRange(total_) || rate >= kLargestMoney)
            return false;
        addRow(i, cost, gross, rate);
        return true;
    }

    static bool outOfRange(double money) {
        return money >= kLargestMoney || money < kNegativeMoney;
    }

    bool adjust(int i, double m, double r) {
        switch (strategy_) {
            case MulManual:
                d_ = static_cast<std::size_t>(i) < s_.manualMultiples.size()
                         ? s_.manualMultiples[static_cast<std::size_t>(i)]
                         : s_.initialMultiple;
                return true;
            case MulAllIn:
                allIn(i);
                return true;
            case MulFixedRate:
                return !(r < s_.fixedRate) || raise({Goal::Rate, s_.fixedRate});
            case MulFixedProfit:
                return !(m < s_.fixedProfit) || raise({Goal::Profit, s_.fixedProfit});
            case MulStepProfit: {
                const double target = static_cast<double>(step_++) * s_.stepProfit;
                return !(m < target) || raise({Goal::Profit, target});
            }
            case MulDoublingProfit: {
                const double target = target_;
                target_ *= 2;
                return !(m < target) || raise({Goal::Profit, target});
            }
            case MulByIssues:
                raiseByIssues(i);
                return true;
            case MulSegmentRate: {
                const double rate = i < s_.segment1Issues ? s_.segment1Rate : s_.segment2Rate;
                return !(r < rate) || raise({Goal::Rate, rate});
            }
            default:
                return true;
        }
    }

    void allIn(int i) {
        const double stakeOfOne = f_ * s_.unitCost;
        if (s_.useCapital) {
            d_ = wholeMultiple(capital_ / stakeOfOne);
            const double d = static_cast<double>(d_);
            capital_ = d * s_.prize + (capital_ - d * f_ * s_.unitCost);
        } else if (i > 0) {
            d_ = wholeMultiple(static_cast<double>(d_) * s_.prize / stakeOfOne);
        }
    }

    void raiseByIssues(int i) {
        if (i == 0 || s_.raiseEvery <= 0 || i % s_.raiseEvery != 0)
            return;
        if (s_.raiseMode == RaiseAdd) {
            d_ += s_.raiseBy;
            return;
        }
        for (std::int32_t n = 0; n < s_.raiseBy && d_ != 0 && std::abs(d_) <= kLargestMultiple; ++n)
            d_ *= 2;
    }

    bool reaches(std::int64_t d, const Goal& goal) const {
        const double c = stakeAt(d) + total_;
        const double profit = static_cast<double>(d) * s_.prize - c;
        return goal.kind == Goal::Profit ? profit >= goal.target : profit * 100 / c >= goal.target;
    }

    // Where the goal is first met when the multiple rises one by one: solved directly, then checked
    // against the step-by-step condition, so a goal out of reach ends the table at once.
    std::optional<std::int64_t> firstReaching(const Goal& goal) const {
        const double stake = stakeAt(1);
        const double factor = goal.kind == Goal::Rate ? 1 + goal.target / 100 : 1;
        const double need = goal.kind == Goal::Rate ? total_ * factor : goal.target + total_;
        const double gain = s_.prize - stake * factor;
        std::int64_t d = d_ + 1;
        if (gain > 0)
            d = std::max(d, wholeMultiple(std::ceil(need / gain)));
        while (d > d_ + 1 && d <= kLargestMultiple && reaches(d - 1, goal))
            --d;
        while (d <= kLargestMultiple && !reaches(d, goal) && gain > 0)
            ++d;
        if (d > kLargestMultiple || !reaches(d, goal))
            return std::nullopt;
        return d;
    }

    // Raises the multiple until the goal is met; false when the table ends on the way. A negative
    // multiple ends the table: no stake can be negative.
    bool raise(const Goal& goal) {
        if (stakeAt(1) <= 0 || d_ < 0)
            return false;
        const auto d = firstReaching(goal);
        if (!d || beyond32Bits(stakeAt(*d) + total_))
            return false;
        d_ = *d;
        run_ = stakeAt(d_) + total_;
        return true;
    }

    void addRow(int i, double cost, double gross, double rate) {
        MultipleRow row;
        row.multiple = d_;
        row.cells = {std::to_string(i + 1),
                     IssueLabel(play_, i),
                     std::to_string(d_),
                     twoPlaces(cost),
                     twoPlaces(total_),
                     twoPlaces(gross),
                     {},
                     {}};
        if (strategy_ == MulAllIn) {
            // 梭哈 carries its profit from row to row in single precision.
            net_ = static_cast<float>(gross - cost + static_cast<double>(net_));
            const float rateOfCost =
                std::abs(cost) <= 0.0000001
                    ? 0.0f
                    : static_cast<float>(static_cast<double>(net_) * 100 / cost);
            row.cells[ColNet] = twoPlaces(net_);
            row.cells[ColRate] = twoPlaces(rateOfCost);
        } else {
            row.cells[ColNet] = twoPlaces(gross - total_);
            row.cells[ColRate] = twoPlaces(rate) + "%";
        }
        rows_.push_back(std::move(row));
    }

    const tagCONFIG_MYPLANDATA& s_;
    const double f_;
    const int strategy_;
    const PlayState& play_;
    std::int64_t d_;
    double run_ = 0;    // stake so far if this issue kept the previous multiple
    double total_ = 0;  // stake of the issues in the table
    std::int64_t step_ = 1;
    double target_;
    double capital_;
    float net_ = 0;
    std::vector<MultipleRow> rows_;
};

std::int64_t storedMultiple(const tagCONFIG_MYPLANDATA& settings, std::size_t index) {
    return index < settings.manualMultiples.size() ? settings.manualMultiples[index]
                                                   : settings.initialMultiple;
}

MultipleRow plainRow(std::int64_t multiple, int index, const PlayState& play) {
    MultipleRow row;
    row.multiple = multiple;
    row.cells[ColNumber] = std::to_string(index + 1);
    row.cells[ColIssue] = IssueLabel(play, index);
    row.cells[ColMultiple] = std::to_string(multiple);
    return row;
}

std::vector<MultipleRow> plainTable(const tagCONFIG_MYPLANDATA& record, const PlayState& play) {
    std::vector<MultipleRow> rows;
    ResizeTable(rows, record.issueCount, record, play);
    return rows;
}

// The bet count 计算 works with; a numbers text that holds numbers is rewritten in canonical form
// on the way.
std::int64_t betCountOf(tagCONFIG_MYPLANDATA& record, const PlayState& play) {
    switch (playFamily(record.playId)) {
        case PlayFamily::positionFree:
            return DigitSet::fromText(record.betNumbers).count();
        case PlayFamily::positional: {
            PositionalPicker picker;
            picker.restore(record.betNumbers);
            return picker.betCount();
        }
        default: {
            // Text without one whole number stays as typed.
            BetCounters counters;
            std::string numbers = record.betNumbers;
            const int count = NormalizeBetNumbers(numbers, counters, play);
            if (count > 0)
                record.betNumbers = std::move(numbers);
            return count;
        }
    }
}

}  // namespace

std::vector<MultipleRow> ComputeMultipleTable(const tagCONFIG_MYPLANDATA& settings,
                                              std::int64_t betCount, int strategy,
                                              const PlayState& play) {
    return TableBuilder(settings, betCount, strategy, play).build();
}

std::string IssueLabel(const PlayState& play, int row) {
    const int issue = LastIssueOfRun(play.currentIssue, row + 1, play.lotteryId, play.issuesPerDay);
    return issue == 0 ? std::string() : fmt::format("{}期", issue);
}

void ResizeTable(std::vector<MultipleRow>& rows, int count, const tagCONFIG_MYPLANDATA& settings,
                 const PlayState& play) {
    const auto wanted = static_cast<std::size_t>(std::clamp(count, 0, kMaxIssueCount));
    if (rows.size() > wanted)
        rows.resize(wanted);
    for (std::size_t i = rows.size(); i < wanted; ++i)
        rows.push_back(plainRow(storedMultiple(settings, i), static_cast<int>(i), play));
}

std::vector<MultipleRow> PlainRows(const std::vector<std::uint32_t>& multiples,
                                   const PlayState& play) {
    std::vector<MultipleRow> rows;
    for (std::size_t i = 0; i < multiples.size() && i < kMaxIssueCount; ++i)
        rows.push_back(plainRow(multiples[i], static_cast<int>(i), play));
    return rows;
}

void RelabelTable(std::vector<MultipleRow>& rows, const PlayState& play) {
    for (std::size_t i = 0; i < rows.size(); ++i)
        rows[i].cells[ColIssue] = IssueLabel(play, static_cast<int>(i));
}

std::vector<std::uint32_t> MultiplesOf(const std::vector<MultipleRow>& rows) {
    std::vector<std::uint32_t> multiples;
    multiples.reserve(rows.size());
    for (const MultipleRow& row : rows) {
        multiples.push_back(static_cast<std::uint32_t>(
            std::clamp<std::int64_t>(row.multiple, 0, std::numeric_limits<std::uint32_t>::max())));
    }
    return multiples;
}

void CopyMultiplesToManual(const std::vector<MultipleRow>& rows, tagCONFIG_MYPLANDATA& settings) {
    const std::vector<std::uint32_t> column = MultiplesOf(rows);
    if (settings.manualMultiples.size() < column.size())
        settings.manualMultiples.resize(column.size());
    std::ranges::copy(column, settings.manualMultiples.begin());
}

Calculation Calculate(const PlanFormFields& fields, tagCONFIG_MYPLANDATA& record,
                      const PlayState& play, CalculationStart start) {
    std::string message = ReadBackForm(fields, record);
    if (message.empty() && !PrizeInRange(record.playId, record.unitCost, record.prize))
        message = "中奖金额范围不正确";
    if (!message.empty())
        return {std::move(message), plainTable(record, play)};
    const std::int64_t betCount = betCountOf(record, play);
    if (betCount == 0) {
        const bool picked = playFamily(record.playId) == PlayFamily::positionFree ||
                            playFamily(record.playId) == PlayFamily::positional;
        return {picked ? "请选择胆码" : "", plainTable(record, play)};
    }
    const int strategy = start == CalculationStart::Manual ? MulManual : record.strategy;
    Calculation calculation{{}, ComputeMultipleTable(record, betCount, strategy, play)};
    if (record.strategy == MulManual)
        CopyMultiplesToManual(calculation.rows, record);
    return calculation;
}

}  // namespace quorstat
