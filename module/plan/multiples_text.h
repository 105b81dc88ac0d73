#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorstat {

// The multiples of a preset's text: every run of the digits 0-9 is one multiple, anything else
// separates. A run too long for 32 bits counts as the largest value.
std::vector<std::uint32_t> ParseMultiplesText(std::string_view text);

// The multiples joined by ",", as the preset lists show them.
std::string JoinMultiples(const std::vector<std::uint32_t>& multiples);

// What the modify-multiple dialog makes of its input for `targetCount` rows.
struct MultiplesInput {
    std::vector<std::uint32_t> values;  // exactly targetCount values when accepted
    std::string message;                // the refusal; empty when accepted
};

inline constexpr std::uint32_t kLargestTypedMultiple = 99999999;

// Blanks, "，" and the full-width space separate like ","; full-width digits count as digits.
// Pieces without leading digits and values above kLargestTypedMultiple are left out; fewer values
// than rows repeat the last one.
MultiplesInput ParseModifyMultiples(std::string_view text, std::size_t targetCount);

}  // namespace quorstat
