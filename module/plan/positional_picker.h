#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "plan/digit_set.h"

namespace quorstat {

// The five-row digit picker of the 定位胆 play: one row of digits per position 万..个.
class PositionalPicker {
public:
    static constexpr int kRowCount = 5;

    // Captions of the row buttons in front of the rows, 万..个.
    static std::span<const std::string_view> rowCaptions();

    void clearAll() { rows_.fill(DigitSet{}); }
    void checkAll() { rows_.fill(DigitSet{DigitSet::kAll}); }
    // A row button empties a row that has any digit checked and fills an empty one.
    void toggleRow(int row);

    void setChecked(int row, int digit, bool checked);
    bool isChecked(int row, int digit) const;
    DigitSet row(int row) const;

    // The number of (position, digit) cells checked.
    int betCount() const;
    // Five groups of ascending digits joined by ",", for example "01,,5,789,".
    std::string selectionString() const;
    // Group k of a comma-separated selection goes to row k; groups past the fifth are ignored.
    void restore(std::string_view selection);

private:
    static bool isRow(int row) { return row >= 0 && row < kRowCount; }

    std::array<DigitSet, kRowCount> rows_{};
};

}  // namespace quorstat
