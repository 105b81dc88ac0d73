#pragma once

#include <string>
#include <string_view>

#include "plan/play_state.h"

namespace quorstat {

// The paste options of the numbers field.
struct PasteOptions {
    bool inverted = false;        // 粘贴取反: the numbers not pasted
    bool addEqualDigits = false;  // 对子, 豹子, 4同号, 5同号
    bool addRuns = false;         // 连子, 顺子
};

// Pasted text as the numbers field takes it: normalised, replaced by its complement and joined by
// the number classes as the options ask, then normalised again. Empty when no number is left or
// the play takes no typed numbers.
std::string PastedNumbers(std::string_view text, const PasteOptions& options,
                          const PlayState& play);

// "豹子" and "组三": the numbers put in front of the field's text, all normalised.
std::string NumbersInFront(std::string_view front, std::string_view field, const PlayState& play);

// The numbers field shows long texts as lines of `perLine` numbers: a line break follows every
// perLine-th blank. What the field holds is its text without the breaks that follow a blank, so
// the lines never change which numbers are read.
std::string NumbersInLines(std::string_view text, int perLine);
std::string NumbersFromLines(std::string_view shown);

}  // namespace quorstat
