// Clipboard text pasted into the numbers field: the result is stable, the paste options keep
// their promises, and the field's lines never change the numbers.
#include <cstdint>
#include <string>

#include "plan/bet_numbers.h"
#include "plan/number_classes.h"
#include "plan/plan_paste.h"
#include "plan/play_state.h"

namespace {

void check(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

int countOf(std::string text, const quorstat::PlayState& state) {
    quorstat::BetCounters counters;
    return quorstat::NormalizeBetNumbers(text, counters, state);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) {
        return 0;
    }
    // The first byte picks the play, the second the paste options and the length of a line.
    quorstat::PlayState state;
    state.selectLottery(1010);
    state.selectPlay(1301 + data[0] % 11);
    const quorstat::PasteOptions options{(data[1] & 1) != 0, (data[1] & 2) != 0,
                                         (data[1] & 4) != 0};
    const std::string text(reinterpret_cast<const char*>(data) + 2, size - 2);

    const std::string pasted = quorstat::PastedNumbers(text, options, state);
    if (!quorstat::readsBetNumbers(state)) {
        check(pasted.empty());
        return 0;
    }
    const int count = countOf(pasted, state);
    check(pasted.size() == static_cast<std::size_t>(count) * (state.starCount + 1));
    std::string again = pasted;
    quorstat::BetCounters counters;
    quorstat::NormalizeBetNumbers(again, counters, state);
    check(again == pasted);

    const int typed = countOf(text, state);
    if (options.inverted && !options.addEqualDigits && !options.addRuns) {
        const int all = countOf(
            quorstat::complementNumbers({}, state.starCount, state.orderedPlay != 0), state);
        check(typed + count == all);
    }
    if (options.addEqualDigits) {
        check(countOf(pasted + quorstat::equalDigitNumbers(state.starCount), state) == count);
    }
    if (!options.inverted && !options.addEqualDigits && !options.addRuns) {
        check(count == typed);
    }
    check(quorstat::NumbersFromLines(quorstat::NumbersInLines(pasted, data[1] >> 3)) == pasted);
    return 0;
}
