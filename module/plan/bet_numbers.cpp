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

namespace {

// Digits are gathered a block at a time without a branch per byte, then counted in whole numbers;
// the few digits of a number cut by the block's end wait for the next block.
constexpr std::size_t kBlockBytes = 4096;

template <int StarCount, bool Ordered>
int tallyDigits(std::string_view text, unsigned minDigit, unsigned digitSpan,
                BetCounters& counters) {
    std::array<unsigned char, kBlockBytes + StarCount> digits{};
    std::size_t held = 0;
    int distinct = 0;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = std::min(text.size(), at + kBlockBytes);
        for (; at < end; ++at) {
            // Bytes below the smallest digit wrap around to large values: one comparison takes out
            // every other byte.
            const unsigned digit = static_cast<unsigned char>(text[at]) - unsigned{'0'};
            digits[held] = static_cast<unsigned char>(digit);
            held += digit - minDigit <= digitSpan ? 1 : 0;
        }
        std::size_t used = 0;
        for (; used + StarCount <= held; used += StarCount) {
            unsigned value = 0;
            for (int i = 0; i < StarCount; ++i)
                value = value * 10 + digits[used + static_cast<std::size_t>(i)];
            if constexpr (!Ordered)
                value = ascendingDigits(value, StarCount);
            distinct += counters[value]++ == 0 ? 1 : 0;
        }
        std::copy(digits.begin() + static_cast<std::ptrdiff_t>(used),
                  digits.begin() + static_cast<std::ptrdiff_t>(held), digits.begin());
        held -= used;
    }
    return distinct;
}

template <int StarCount>
int tallyDigits(std::string_view text, bool ordered, unsigned minDigit, unsigned digitSpan,
                BetCounters& counters) {
    return ordered ? tallyDigits<StarCount, true>(text, minDigit, digitSpan, counters)
                   : tallyDigits<StarCount, false>(text, minDigit, digitSpan, counters);
}

}  // namespace

int tallyBetNumbers(std::string_view text, BetCounters& counters, const PlayState& state) {
    if (!readsBetNumbers(state)) {
        counters.clear();
        return 0;
    }
    counters.assign(static_cast<std::size_t>(numberSpace(state.starCount)), 0);
    const auto minDigit = static_cast<unsigned>(state.minDigit);
    const auto digitSpan = static_cast<unsigned>(state.maxDigit - state.minDigit);
    const bool ordered = state.orderedPlay != 0;
    switch (state.starCount) {
        case 1:
            return tallyDigits<1>(text, ordered, minDigit, digitSpan, counters);
        case 2:
            return tallyDigits<2>(text, ordered, minDigit, digitSpan, counters);
        case 3:
            return tallyDigits<3>(text, ordered, minDigit, digitSpan, counters);
        case 4:
            return tallyDigits<4>(text, ordered, minDigit, digitSpan, counters);
        default:
            return tallyDigits<kMaxStarCount>(text, ordered, minDigit, digitSpan, counters);
    }
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
    // Ten values at a time share all digits but the last; those are stepped like an odometer
    // instead of divided out.
    std::array<char, kMaxStarCount> digits{};
    std::fill_n(digits.begin(), width, '0');
    char* out = text.data();
    for (std::size_t tens = 0; tens < space; tens += 10) {
        for (std::size_t last = 0; last < 10 && tens + last < space; ++last) {
            if (counters[tens + last] != 0) {
                digits[width - 1] = static_cast<char>('0' + last);
                std::copy_n(digits.begin(), width, out);
                out += width + 1;
            }
        }
        for (std::size_t i = width - 1; i-- > 0 && ++digits[i] > '9';) {
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
