#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorstat {

// Reads a typed list of whole numbers 0..65535, such as "1 3 5", "0135" (0, 1, 3, 5) or
// "3-7", into ascending distinct values. Returns 1 with result filled, or 0 with result
// emptied and the reason in lastInputError().
int ParseNumberList(std::string_view text, std::vector<int>& result);

// The message of the last failed ParseNumberList; the caller shows it.
const std::string& lastInputError();

}  // namespace quorstat
