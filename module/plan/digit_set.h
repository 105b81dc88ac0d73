#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quorstat {

// A set of the digits 0..9, as one row of a digit picker holds it.
class DigitSet {
public:
    static constexpr std::uint16_t kAll = 0x3ff;

    constexpr DigitSet() = default;
    constexpr explicit DigitSet(std::uint16_t mask) : mask_(mask & kAll) {}

    // Every digit character of text, whatever else it holds.
    static DigitSet fromText(std::string_view text);

    bool contains(int digit) const;
    void set(int digit, bool checked);
    int count() const;
    bool empty() const { return mask_ == 0; }
    std::uint16_t mask() const { return mask_; }

    // The digits as ascending digit characters, for example "0369".
    std::string text() const;

    friend bool operator==(DigitSet, DigitSet) = default;

private:
    std::uint16_t mask_ = 0;
};

}  // namespace quorstat
