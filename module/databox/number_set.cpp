#include "databox/number_set.h"

#include <bit>

namespace quorstat {

NumberSet::NumberSet(std::size_t space)
    : space_(space), words_((space + kWordBits - 1) / kWordBits, 0) {}

NumberSet NumberSet::full(std::size_t space) {
    NumberSet set(space);
    set.invert();
    return set;
}

NumberSet NumberSet::fromCounters(const BetCounters& counters) {
    NumberSet set(counters.size());
    for (std::size_t value = 0; value < counters.size(); ++value) {
        if (counters[value] != 0)
            set.words_[value / kWordBits] |= Word{1} << (value % kWordBits);
    }
    return set;
}

void NumberSet::insert(std::size_t value) {
    if (value < space_)
        words_[value / kWordBits] |= Word{1} << (value % kWordBits);
}

std::size_t NumberSet::count() const {
    std::size_t count = 0;
    for (const Word word : words_)
        count += static_cast<std::size_t>(std::popcount(word));
    return count;
}

NumberSet::Word NumberSet::tailMask() const {
    const std::size_t used = space_ % kWordBits;
    return used == 0 ? ~Word{0} : (Word{1} << used) - 1;
}

void NumberSet::invert() {
    for (Word& word : words_)
        word = ~word;
    if (!words_.empty())
        words_.back() &= tailMask();
}

NumberSet& NumberSet::operator&=(const NumberSet& other) {
    for (std::size_t i = 0; i < words_.size(); ++i)
        words_[i] &= i < other.words_.size() ? other.words_[i] : 0;
    return *this;
}

NumberSet& NumberSet::operator|=(const NumberSet& other) {
    for (std::size_t i = 0; i < words_.size() && i < other.words_.size(); ++i)
        words_[i] |= other.words_[i];
    return *this;
}

std::string NumberSet::text(int starCount) const {
    BetCounters counters(space_, 0);
    for (std::size_t i = 0; i < words_.size(); ++i) {
        for (Word word = words_[i]; word != 0; word &= word - 1)
            counters[i * kWordBits + static_cast<std::size_t>(std::countr_zero(word))] = 1;
    }
    std::string text = canonicalNumbers(counters, starCount);
    if (!text.empty())
        text.pop_back();
    return text;
}

}  // namespace quorstat
