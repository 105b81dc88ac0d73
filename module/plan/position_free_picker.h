#pragma once

#include <span>
#include <string>
#include <string_view>

#include "plan/digit_set.h"

namespace quorstat {

// A button of the picker that replaces the whole selection with fixed digits.
struct QuickSelection {
    std::string_view caption;
    DigitSet digits;
};

// The one-row digit picker of the position-free 胆 plays.
class PositionFreePicker {
public:
    // "清", "选", "奇", "偶", "大", "小", "0", "1", "2", "D", "Z", "X", in button order.
    static std::span<const QuickSelection> quickSelections();

    // Returns false for a caption that is no quick selection; the selection then stays.
    bool applyQuickSelection(std::string_view caption);

    void setChecked(int digit, bool checked) { digits_.set(digit, checked); }
    bool isChecked(int digit) const { return digits_.contains(digit); }

    DigitSet digits() const { return digits_; }
    int betCount() const { return digits_.count(); }
    std::string selectionString() const { return digits_.text(); }
    void restore(std::string_view selection) { digits_ = DigitSet::fromText(selection); }

private:
    DigitSet digits_;
};

}  // namespace quorstat
