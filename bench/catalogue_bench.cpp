#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "plan/bet_numbers.h"
#include "plan/number_classes.h"
#include "plan/play_state.h"

namespace {

constexpr int kFiveStarSingle = 1304;
constexpr int kNumberCount = 100000;

quorstat::PlayState fiveStarState() {
    quorstat::PlayState state;
    state.selectLottery(1010);
    state.selectPlay(kFiveStarSingle);
    return state;
}

// Every five-digit number once, shuffled, with the separators people paste.
const std::string& pastedNumbers() {
    static const std::string text = [] {
        std::vector<int> numbers(kNumberCount);
        std::iota(numbers.begin(), numbers.end(), 0);
        std::mt19937 random(5);
        std::ranges::shuffle(numbers, random);
        const std::array<std::string_view, 7> separators = {" ",  ",",  "\r\n", "；",
                                                            "，", "\t", " | "};
        std::uniform_int_distribution<std::size_t> pick(0, separators.size() - 1);
        std::string joined;
        for (const int number : numbers) {
            std::string digits = std::to_string(number);
            joined.append(5 - digits.size(), '0').append(digits).append(separators[pick(random)]);
        }
        return joined;
    }();
    return text;
}

void BM_NormalizeBetNumbers(benchmark::State& state) {
    const quorstat::PlayState play = fiveStarState();
    quorstat::BetCounters counters;
    for (auto _ : state) {
        std::string text = pastedNumbers();
        if (quorstat::NormalizeBetNumbers(text, counters, play) != kNumberCount) {
            state.SkipWithError("wrong bet count");
        }
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * pastedNumbers().size()));
}
BENCHMARK(BM_NormalizeBetNumbers)->Unit(benchmark::kMillisecond);

void BM_ComplementOfEmptyFiveStarList(benchmark::State& state) {
    const quorstat::PlayState play = fiveStarState();
    quorstat::BetCounters counters;
    std::string empty;
    quorstat::NormalizeBetNumbers(empty, counters, play);
    for (auto _ : state) {
        const std::string complement = quorstat::complementNumbers(counters, play.starCount, true);
        if (complement.size() != kNumberCount * 6) {
            state.SkipWithError("wrong complement size");
        }
        benchmark::DoNotOptimize(complement.data());
    }
}
BENCHMARK(BM_ComplementOfEmptyFiveStarList)->Unit(benchmark::kMillisecond);

// The same job done by the shell tools, for comparison with BM_NormalizeBetNumbers.
void BM_TrSortPipeline(benchmark::State& state) {
    const std::filesystem::path file = std::filesystem::temp_directory_path() /
                                       ("quorstat_catalogue_bench_" + std::to_string(getpid()));
    std::ofstream(file, std::ios::binary) << pastedNumbers();
    const std::string command = "tr -cs 0-9 '\\n' < '" + file.string() + "' | sort -u > /dev/null";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("pipeline failed");
        }
    }
    std::filesystem::remove(file);
}
BENCHMARK(BM_TrSortPipeline)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
