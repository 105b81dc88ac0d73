#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "plan/bet_numbers.h"

namespace quorstat {

// A set of the numbers 0..space-1 of one star count, one bit per number.
class NumberSet {
public:
    using Word = std::uint64_t;
    static constexpr std::size_t kWordBits = 64;

    NumberSet() = default;
    // The empty set over 0..space-1.
    explicit NumberSet(std::size_t space);

    static NumberSet full(std::size_t space);
    // Every number whose counter is non-zero.
    static NumberSet fromCounters(const BetCounters& counters);

    std::size_t space() const { return space_; }
    bool contains(std::size_t value) const {
        return value < space_ && (words_[value / kWordBits] >> (value % kWordBits) & 1) != 0;
    }
    void insert(std::size_t value);
    std::size_t count() const;
    bool empty() const { return count() == 0; }

    // Complement within 0..space-1.
    void invert();
    NumberSet& operator&=(const NumberSet& other);
    NumberSet& operator|=(const NumberSet& other);

    std::span<const Word> words() const { return words_; }
    std::span<Word> words() { return words_; }
    // The bits of the last word that lie beyond the space.
    Word tailMask() const;

    // Ascending, each number zero-padded to starCount digits, separated by one blank.
    std::string text(int starCount) const;

    friend bool operator==(const NumberSet&, const NumberSet&) = default;

private:
    std::size_t space_ = 0;
    std::vector<Word> words_;
};

}  // namespace quorstat
