#pragma once

#include <string_view>
#include <vector>

namespace quorstat {

// The check menu of lists with check cells. Rows count from 1 as the user sees them, so the odd
// rows are the first, third, ...; the odd and even commands leave exactly those rows checked.
enum class CheckCommand { All, Invert, None, OddRows, EvenRows };

std::string_view CheckCommandText(CheckCommand command);
std::vector<bool> ApplyCheckCommand(CheckCommand command, const std::vector<bool>& checked);

inline constexpr std::string_view kSelectCheckedText = "选中勾选行";

}  // namespace quorstat
