#include "plan/positional_picker.h"

#include <numeric>

namespace quorstat {

namespace {

constexpr std::array<std::string_view, PositionalPicker::kRowCount> kRowCaptions{"万", "千", " 百",
                                                                                 "十", "个"};

}  // namespace

std::span<const std::string_view> PositionalPicker::rowCaptions() {
    return kRowCaptions;
}

void PositionalPicker::toggleRow(int row) {
    if (!isRow(row)) {
        return;
    }
    DigitSet& digits = rows_[static_cast<std::size_t>(row)];
    digits = digits.empty() ? DigitSet{DigitSet::kAll} : DigitSet{};
}

void PositionalPicker::setChecked(int row, int digit, bool checked) {
    if (isRow(row)) {
        rows_[static_cast<std::size_t>(row)].set(digit, checked);
    }
}

bool PositionalPicker::isChecked(int row, int digit) const {
    return isRow(row) && rows_[static_cast<std::size_t>(row)].contains(digit);
}

DigitSet PositionalPicker::row(int row) const {
    return isRow(row) ? rows_[static_cast<std::size_t>(row)] : DigitSet{};
}

int PositionalPicker::betCount() const {
    return std::accumulate(rows_.begin(), rows_.end(), 0,
                           [](int sum, DigitSet digits) { return sum + digits.count(); });
}

std::string PositionalPicker::selectionString() const {
    std::string selection = rows_[0].text();
    for (int row = 1; row < kRowCount; ++row) {
        selection.append(",").append(rows_[static_cast<std::size_t>(row)].text());
    }
    return selection;
}

void PositionalPicker::restore(std::string_view selection) {
    clearAll();
    for (DigitSet& digits : rows_) {
        const std::size_t comma = selection.find(',');
        digits = DigitSet::fromText(selection.substr(0, comma));
        if (comma == std::string_view::npos) {
            return;
        }
        selection.remove_prefix(comma + 1);
    }
}

}  // namespace quorstat
