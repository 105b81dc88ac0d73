#include "plan/digit_set.h"

#include <bit>

namespace quorstat {

namespace {

bool isDigit(int digit) {
    return digit >= 0 && digit <= 9;
}

}  // namespace

DigitSet DigitSet::fromText(std::string_view text) {
    DigitSet digits;
    for (const char ch : text) {
        digits.set(ch - '0', true);
    }
    return digits;
}

bool DigitSet::contains(int digit) const {
    return isDigit(digit) && (mask_ >> digit & 1u) != 0;
}

void DigitSet::set(int digit, bool checked) {
    if (!isDigit(digit)) {
        return;
    }
    const auto bit = static_cast<std::uint16_t>(1u << digit);
    mask_ = static_cast<std::uint16_t>(checked ? mask_ | bit : mask_ & ~bit);
}

int DigitSet::count() const {
    return std::popcount(mask_);
}

std::string DigitSet::text() const {
    std::string digits;
    for (int digit = 0; digit <= 9; ++digit) {
        if (contains(digit)) {
            digits.push_back(static_cast<char>('0' + digit));
        }
    }
    return digits;
}

}  // namespace quorstat
