#include "plan/plan_paste.h"

#include <algorithm>

#include "plan/bet_numbers.h"
#include "plan/number_classes.h"

namespace quorstat {

std::string PastedNumbers(std::string_view text, const PasteOptions& options,
                          const PlayState& play) {
    if (!readsBetNumbers(play))
        return {};
    BetCounters counters;
    std::string numbers(text);
    NormalizeBetNumbers(numbers, counters, play);
    if (options.inverted)
        numbers = complementNumbers(counters, play.starCount, play.orderedPlay != 0);
    if (options.addEqualDigits)
        numbers += equalDigitNumbers(play.starCount);
    if (options.addRuns)
        numbers += runNumbers(play.starCount);
    NormalizeBetNumbers(numbers, counters, play);
    return numbers;
}

std::string NumbersInFront(std::string_view front, std::string_view field, const PlayState& play) {
    std::string numbers;
    numbers.reserve(front.size() + field.size());
    numbers.append(front).append(field);
    BetCounters counters;
    NormalizeBetNumbers(numbers, counters, play);
    return numbers;
}

std::string NumbersInLines(std::string_view text, int perLine) {
    const auto blanks = static_cast<std::size_t>(std::count(text.begin(), text.end(), ' '));
    const std::size_t every = static_cast<std::size_t>(std::max(perLine, 1));
    std::string shown;
    shown.reserve(text.size() + blanks / every);
    std::size_t counted = 0;
    for (const char ch : text) {
        shown.push_back(ch);
        if (ch == ' ' && ++counted % every == 0)
            shown.push_back('\n');
    }
    // The last line needs no break after it.
    if (!shown.empty() && shown.back() == '\n')
        shown.pop_back();
    return shown;
}

std::string NumbersFromLines(std::string_view shown) {
    std::string text;
    text.reserve(shown.size());
    for (std::size_t i = 0; i < shown.size(); ++i) {
        if (shown[i] == '\n' && i > 0 && shown[i - 1] == ' ')
            continue;
        text.push_back(shown[i]);
    }
    return text;
}

}  // namespace quorstat
