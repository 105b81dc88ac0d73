#include "plan/bet_numbers.h"

#include <algorithm>
#include <array>

#include "plan/play_table.h"

namespace quorstat {

namespace {

constexpr int kMaxStarCount = 5;

using Digits = std::array<unsigned, kMaxStarCount>;

unsigned numberValue(Digits& digits, int starCount, bool ordered) {
    const auto used = digits.begin() + starCount;
    if (!ordered) {
        std::sort(digits.begin(), used);
    }
    unsigned value = 0;
    std::for_each(digits.begin(), used, [&](unsigned digit) { value = value * 10 + digit; });
    return value;
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
    const auto maxDigit = static_cast<unsigned>(state.maxDigit);
    const bool ordered = state.orderedPlay != 0;
    Digits digits{};
    int collected = 0;
    int distinct = 0;
    for (const char ch : text) {
        // Bytes below '0' wrap around to large values and fall out with the rest.
        const unsigned digit = static_cast<unsigned char>(ch) - unsigned{'0'};
        if (digit < minDigit || digit > maxDigit) {
            continue;
        }
        digits[static_cast<std::size_t>(collected++)] = digit;
        if (collected == state.starCount) {
            collected = 0;
            if (counters[numberValue(digits, state.starCount, ordered)]++ == 0) {
                ++distinct;
            }
        }
    }
    return distinct;
}

std::string canonicalNumbers(const BetCounters& counters, int starCount) {
    const auto width = static_cast<std::size_t>(starCount);
    const auto space = std::min(counters.size(), static_cast<std::size_t>(numberSpace(starCount)));
    const auto present = [](std::uint32_t counter) { return counter != 0; };
    std::string text;
    text.reserve(static_cast<std::size_t>(std::ranges::count_if(counters, present)) * (width + 1));
    // The digits of the current value, stepped like an odometer instead of divided out.
    std::array<char, kMaxStarCount + 1> entry{};
    std::fill_n(entry.begin(), width, '0');
    entry[width] = ' ';
    for (std::size_t value = 0; value < space; ++value) {
        if (counters[value] != 0) {
            text.append(entry.data(), width + 1);
        }
        for (std::size_t i = width; i-- > 0 && ++entry[i] > '9';) {
            entry[i] = '0';
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
