#include "plan/bet_numbers.h"

#include <algorithm>
#include <array>
#include <numeric>

#include "plan/play_table.h"

namespace quorstat {

namespace {

constexpr int kMaxStarCount = 5;

using Digits = std::array<unsigned, kMaxStarCount>;

// At most five digits: a plain insertion sort is all it takes.
void sortDigits(Digits& digits, std::size_t count) {
    for (std::size_t i = 1; i < count; ++i) {
        const unsigned digit = digits[i];
        std::size_t j = i;
        for (; j > 0 && digits[j - 1] > digit; --j) {
            digits[j] = digits[j - 1];
        }
        digits[j] = digit;
    }
}

// The number with the same digits in ascending order, as 组选 counts it.
unsigned ascendingDigits(unsigned value, int starCount) {
    Digits digits{};
    const auto count = static_cast<std::size_t>(starCount);
    for (std::size_t i = 0; i < count; ++i, value /= 10) {
        digits[i] = value % 10;
    }
    sortDigits(digits, count);
    return std::accumulate(digits.begin(), digits.begin() + starCount, 0u,
                           [](unsigned number, unsigned digit) { return number * 10 + digit; });
}

}  // namespace

int numberSpace(int starCount) {
    if (starCount < 1 || starCount > kMaxStarCount) {
        return 0;
    }
    int space = 1;
    for (int i = 0; i < starCount; ++i) {
        space *= 10;
    }
    return space;
}

bool readsBetNumbers(const PlayState& state) {
    return playFamily(state.playId) == PlayFamily::number && numberSpace(state.starCount) > 0 &&
           state.positionCount != 0 && state.digitFamily != 0 && state.minDigit >= 0 &&
           state.minDigit <= state.maxDigit && state.maxDigit <= 9;
}

int tallyBetNumbers(std::string_view text, BetCounters& counters, const PlayState& state) {
    if (!readsBetNumbers(state)) {
        counters.clear();
        return 0;
    }
    counters.assign(static_cast<std::size_t>(numberSpace(state.starCount)), 0);
    const auto minDigit = static_cast<unsigned>(state.minDigit);
    const auto digitSpan = static_cast<unsigned>(state.maxDigit - state.minDigit);
    const bool ordered = state.orderedPlay != 0;
    const int starCount = state.starCount;
    unsigned value = 0;
    int collected = 0;
    int distinct = 0;
    for (const char ch : text) {
        // Bytes below the smallest digit wrap around to large values: one comparison takes out
        // every other byte.
        const unsigned digit = static_cast<unsigned char>(ch) - unsigned{'0'};
        if (digit - minDigit > digitSpan) {
            continue;
        }
        value = value * 10 + digit;
        if (++collected == starCount) {
            if (counters[ordered ? value : ascendingDigits(value, starCount)]++ == 0) {
                ++distinct;
            }
            value = 0;
            collected = 0;
        }
    }
    return distinct;
}

std::string canonicalNumbers(const BetCounters& counters, int starCount) {
    if (numberSpace(starCount) == 0) {
        return {};
    }
    const auto width = static_cast<std::size_t>(starCount);
    const auto space = std::min(counters.size(), static_cast<std::size_t>(numberSpace(starCount)));
    const auto present = [](std::uint32_t counter) { return counter != 0; };
    const auto count = static_cast<std::size_t>(std::count_if(
        counters.begin(), counters.begin() + static_cast<std::ptrdiff_t>(space), present));
    std::string text(count * (width + 1), ' ');
    // The digits of the current value, stepped like an odometer instead of divided out.
    std::array<char, kMaxStarCount> digits{};
    std::fill_n(digits.begin(), width, '0');
    char* out = text.data();
    for (std::size_t value = 0; value < space; ++value) {
        if (counters[value] != 0) {
            std::copy_n(digits.begin(), width, out);
            out += width + 1;
        }
        for (std::size_t i = width; i-- > 0 && ++digits[i] > '9';) {
            digits[i] = '0';
        }
    }
    return text;
}

int NormalizeBetNumbers(std::string& text, BetCounters& counters, const PlayState& state) {
    if (!readsBetNumbers(state)) {
        counters.clear();
        return 0;
    }
    // An empty text still zeroes the counters, so a complement taken next starts from nothing.
    const int count = tallyBetNumbers(text, counters, state);
    text = canonicalNumbers(counters, state.starCount);
    return count;
}

}  // namespace quorstat
