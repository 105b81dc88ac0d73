// Pasted bet numbers: the normalised text must be canonical, counted right and stable.
#include <cstdint>
#include <cstring>
#include <string>

#include "plan/bet_numbers.h"
#include "plan/number_classes.h"
#include "plan/play_state.h"

namespace {

void check(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

bool isCanonical(const std::string& text, int count, int starCount) {
    const auto width = static_cast<std::size_t>(starCount);
    if (text.size() != static_cast<std::size_t>(count) * (width + 1)) {
        return false;
    }
    for (std::size_t at = 0; at < text.size(); at += width + 1) {
        if (text[at + width] != ' ' || text.find_first_not_of("0123456789", at) != at + width ||
            (at > 0 && std::memcmp(text.data() + at - width - 1, text.data() + at, width) >= 0)) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    // The first byte picks the play before and the play now: 胆 plays keep the ordered flag.
    quorstat::PlayState state;
    state.selectLottery(1010);
    state.selectPlay(1301 + data[0] % 6);
    state.selectPlay(1301 + data[0] / 6 % 11);
    const std::string input(reinterpret_cast<const char*>(data) + 1, size - 1);

    std::string text = input;
    quorstat::BetCounters counters;
    const int count = quorstat::NormalizeBetNumbers(text, counters, state);
    if (!quorstat::readsBetNumbers(state)) {
        check(count == 0 && text == input);
        return 0;
    }
    check(isCanonical(text, count, state.starCount));

    std::string again = text;
    check(quorstat::NormalizeBetNumbers(again, counters, state) == count && again == text);

    const std::string complement = quorstat::complementNumbers(counters, state.starCount, true);
    check(complement.size() + text.size() ==
          static_cast<std::size_t>(quorstat::numberSpace(state.starCount) * (state.starCount + 1)));
    return 0;
}
