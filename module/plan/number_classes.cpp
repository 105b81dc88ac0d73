#include "plan/number_classes.h"

#include <bit>

namespace quorstat {

namespace {

constexpr unsigned kAllDigits = 0x3ff;

struct DigitProfile {
    unsigned digitMask = 0;
    int distinctDigits = 0;
    bool nonDecreasing = true;
};

DigitProfile profileOf(int value, int starCount) {
    DigitProfile profile;
    int right = 9;
    for (int i = 0; i < starCount; ++i, value /= 10) {
        const int digit = value % 10;
        profile.nonDecreasing = profile.nonDecreasing && digit <= right;
        profile.digitMask |= 1u << digit;
        right = digit;
    }
    profile.distinctDigits = std::popcount(profile.digitMask);
    return profile;
}

template <typename Predicate>
std::string numbersWhere(int starCount, Predicate taken) {
    if (starCount < 2 || numberSpace(starCount) == 0) {
        return {};
    }
    BetCounters counters(static_cast<std::size_t>(numberSpace(starCount)));
    for (std::size_t value = 0; value < counters.size(); ++value) {
        counters[value] = taken(static_cast<int>(value)) ? 1 : 0;
    }
    return canonicalNumbers(counters, starCount);
}

bool isCircularRun(unsigned digitMask, int length) {
    const unsigned run = (1u << length) - 1;
    for (int start = 0; start < 10; ++start) {
        const unsigned rotated = ((run << start) | (run >> (10 - start))) & kAllDigits;
        if (digitMask == rotated) {
            return true;
        }
    }
    return false;
}

bool splitsIntoPairedRuns(unsigned digitMask) {
    int runLength = 0;
    for (int digit = 0; digit <= 10; ++digit) {
        if (digit < 10 && (digitMask >> digit & 1u) != 0) {
            ++runLength;
            continue;
        }
        if (runLength == 1) {
            return false;
        }
        runLength = 0;
    }
    return true;
}

bool isRunSet(unsigned digitMask, int starCount) {
    return starCount == 5 ? splitsIntoPairedRuns(digitMask) : isCircularRun(digitMask, starCount);
}

}  // namespace

std::string equalDigitNumbers(int starCount) {
    return numbersWhere(starCount,
                        [&](int value) { return profileOf(value, starCount).distinctDigits == 1; });
}

std::string runNumbers(int starCount) {
    return numbersWhere(starCount, [&](int value) {
        const DigitProfile profile = profileOf(value, starCount);
        return profile.distinctDigits == starCount && isRunSet(profile.digitMask, starCount);
    });
}

std::string groupThreeNumbers() {
    return numbersWhere(3, [](int value) { return profileOf(value, 3).distinctDigits == 2; });
}

std::string complementNumbers(const BetCounters& counters, int starCount, bool orderedPlay) {
    return numbersWhere(starCount, [&](int value) {
        const auto index = static_cast<std::size_t>(value);
        const bool present = index < counters.size() && counters[index] != 0;
        return !present && (orderedPlay || profileOf(value, starCount).nonDecreasing);
    });
}

}  // namespace quorstat
