#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "plan/plan_form_data.h"
#include "plan/plan_form_fields.h"
#include "plan/play_state.h"

namespace quorstat {

inline constexpr std::array<std::string_view, 8> kCalculatorColumns = {
    "序", "期号", "倍数", "当期投入", "累计投入", "毛利润", "纯利润", "利润率"};
enum CalculatorColumn {
    ColNumber,
    ColIssue,
    ColMultiple,
    ColCost,
    ColTotal,
    ColGross,
    ColNet,
    ColRate
};

inline constexpr std::int64_t kLargestMultiple = 9999999;

// One issue of the calculator table: the multiple and the texts of the eight columns. A plain row
// (before 计算, or when it failed) fills only number, issue and multiple.
struct MultipleRow {
    std::int64_t multiple = 0;
    std::array<std::string, kCalculatorColumns.size()> cells;

    bool operator==(const MultipleRow&) const = default;
};

// The table for the settings, `betCount` single bets and the strategy, for at most
// settings.issueCount issues; it ends early where a multiple, a stake or a rate grows out of range.
std::vector<MultipleRow> ComputeMultipleTable(const tagCONFIG_MYPLANDATA& settings,
                                              std::int64_t betCount, int strategy,
                                              const PlayState& play);

// "%d期" of the issue `row` places after the open one; empty while the open issue is unknown.
std::string IssueLabel(const PlayState& play, int row);

// Grows or shrinks the table to `count` rows; new rows are plain, with the stored manual multiple
// of their place or the initial multiple.
void ResizeTable(std::vector<MultipleRow>& rows, int count, const tagCONFIG_MYPLANDATA& settings,
                 const PlayState& play);
// Plain rows holding the given multiples.
std::vector<MultipleRow> PlainRows(const std::vector<std::uint32_t>& multiples,
                                   const PlayState& play);
// Issue labels after the open issue moved on.
void RelabelTable(std::vector<MultipleRow>& rows, const PlayState& play);

// Column 倍数 (each clamped to 32 bits) over the front of manualMultiples; entries beyond stay.
void CopyMultiplesToManual(const std::vector<MultipleRow>& rows, tagCONFIG_MYPLANDATA& settings);
std::vector<std::uint32_t> MultiplesOf(const std::vector<MultipleRow>& rows);

// 计算 started from the button, or with the manual strategy after a preset or a multiple edit.
enum class CalculationStart { Form, Manual };

struct Calculation {
    std::string message;  // to show the user; empty for none
    std::vector<MultipleRow> rows;
};

// The whole of 计算: reads the fields back into the record, checks the prize range, counts the bets
// (a numbers text is rewritten in canonical form) and computes the table. Whatever stops it leaves
// the plain rows of the issue count.
Calculation Calculate(const PlanFormFields& fields, tagCONFIG_MYPLANDATA& record,
                      const PlayState& play, CalculationStart start);

}  // namespace quorstat
