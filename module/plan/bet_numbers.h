#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "plan/play_state.h"

namespace quorstat {

// One counter per possible number of the current star count, indexed by the number's value.
using BetCounters = std::vector<std::uint32_t>;

// 10^starCount for the star counts that have numbers (1..5), otherwise 0.
int numberSpace(int starCount);

// Whether the state is a number play whose numbers can be read at all.
bool readsBetNumbers(const PlayState& state);

// Counts the numbers in text into counters (resized to numberSpace, or emptied when the state
// reads no numbers) and returns how many distinct numbers it holds. Digits are grouped by
// their position in the digit stream; every other character is ignored, and an incomplete
// number at the end is dropped. 组选 numbers count with their digits sorted.
int tallyBetNumbers(std::string_view text, BetCounters& counters, const PlayState& state);

// Every number whose counter is non-zero, ascending, zero-padded to starCount digits, each
// followed by one blank.
std::string canonicalNumbers(const BetCounters& counters, int starCount);

// Rewrites text in canonical form and returns the bet count, leaving the tally in counters.
// When the state reads no numbers the text is left as it is and counts 0.
int NormalizeBetNumbers(std::string& text, BetCounters& counters, const PlayState& state);

}  // namespace quorstat
