#pragma once

#include <string>

namespace quorstat {

// Turns what the user typed into a numeric search filter into its normal form, written back to
// `text`, and returns the condition the service reads ("大等于|3#小等于|10"). The forms are a
// value ("7", "=7"), a comparison (">5", ">=5", "<5", "<=5") and a range ("3-10", "-5-3", the
// ends in either order); blanks anywhere are ignored. Integer filters truncate, real filters keep
// two decimals. A text of any other kind, or with a value beyond ±2^31, becomes empty and gives
// an empty condition: the filter is off.
std::string FormatFilterCondition(std::string& text, bool isInteger);

}  // namespace quorstat
