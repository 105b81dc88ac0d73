#pragma once

#include <string>

#include "plan/bet_numbers.h"

namespace quorstat {

// Generated number sets in canonical form, for star counts 2..5 (empty otherwise).

// The ten numbers of one repeated digit (对子, 豹子, 4同号, 5同号).
std::string equalDigitNumbers(int starCount);

// 连子 and 顺子: every order of the digits of a run. Two to four stars take runs on the circle
// 0..9 (so 90 and 890 count); five stars take sets that split, without wrap-around, into
// runs of at least two digits each.
std::string runNumbers(int starCount);

// 组三: the three-digit numbers with exactly two distinct digits.
std::string groupThreeNumbers();

// Every number whose counter is zero; a 组选 play only knows numbers with non-decreasing digits.
std::string complementNumbers(const BetCounters& counters, int starCount, bool orderedPlay);

}  // namespace quorstat
