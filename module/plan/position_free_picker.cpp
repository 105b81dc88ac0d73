#include "plan/position_free_picker.h"

#include <algorithm>
#include <array>

namespace quorstat {

namespace {

constexpr std::array<QuickSelection, 12> kQuickSelections{{
    {"清", DigitSet{0}},
    {"选", DigitSet{DigitSet::kAll}},
    {"奇", DigitSet{0b1010101010}},
    {"偶", DigitSet{0b0101010101}},
    {"大", DigitSet{0b1111100000}},
    {"小", DigitSet{0b0000011111}},
    {"0", DigitSet{0b1001001001}},
    {"1", DigitSet{0b0010010010}},
    {"2", DigitSet{0b0100100100}},
    {"D", DigitSet{0b1110000000}},
    {"Z", DigitSet{0b0001111000}},
    {"X", DigitSet{0b0000000111}},
}};

}  // namespace

std::span<const QuickSelection> PositionFreePicker::quickSelections() {
    return kQuickSelections;
}

bool PositionFreePicker::applyQuickSelection(std::string_view caption) {
    const auto* it = std::ranges::find(kQuickSelections, caption, &QuickSelection::caption);
    if (it == kQuickSelections.end()) {
        return false;
    }
    digits_ = it->digits;
    return true;
}

}  // namespace quorstat
