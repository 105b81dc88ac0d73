#include <benchmark/benchmark.h>

#include <string>

#include "plan/plan_paste.h"
#include "plan/play_state.h"

namespace {

quorstat::PlayState fiveStars() {
    quorstat::PlayState state;
    state.selectLottery(1010);
    state.selectPlay(1304);
    return state;
}

// Some 5 MB of mixed text around 00000..49999, ten times over.
const std::string& largeClipboard() {
    static const std::string text = [] {
        std::string joined;
        for (int round = 0; round < 10; ++round) {
            for (int value = 0; value < 50000; ++value) {
                const std::string digits = std::to_string(value);
                joined.append("第").append(5 - digits.size(), '0').append(digits).append("号，");
            }
            joined.append("\r\n五星号码 abc\r\n");
        }
        return joined;
    }();
    return text;
}

// What the paste does off the window's thread with a 5 MB clipboard.
void BM_PastedNumbersFiveMegabytes(benchmark::State& state) {
    const quorstat::PlayState play = fiveStars();
    const quorstat::PasteOptions options{false, true, true};
    for (auto _ : state)
        benchmark::DoNotOptimize(quorstat::PastedNumbers(largeClipboard(), options, play));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * largeClipboard().size()));
}
BENCHMARK(BM_PastedNumbersFiveMegabytes)->Unit(benchmark::kMillisecond);

// What the window's thread does with every change of a field of 100 000 numbers.
void BM_NumbersFromLinesOfAFullField(benchmark::State& state) {
    std::string numbers;
    for (int value = 0; value < 100000; ++value) {
        const std::string digits = std::to_string(value);
        numbers.append(5 - digits.size(), '0').append(digits).append(" ");
    }
    const std::string shown = quorstat::NumbersInLines(numbers, 8);
    for (auto _ : state)
        benchmark::DoNotOptimize(quorstat::NumbersFromLines(shown));
}
BENCHMARK(BM_NumbersFromLinesOfAFullField)->Unit(benchmark::kMillisecond);

}  // namespace
