#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "../tests/databox/reference_evaluation.h"
#include "databox/box_evaluation.h"

namespace {

using quorstat::tagPLANBIGPDATA;

constexpr int kGroups = 10;
constexpr int kMembersPerGroup = 20;
constexpr int kNumbersPerMember = 50000;

quorstat::PlayState fiveStars() {
    quorstat::PlayState play;
    play.selectLottery(1010);
    play.selectPlay(1304);
    return play;
}

std::string randomNumbers(std::mt19937& random) {
    std::string text;
    text.reserve(kNumbersPerMember * 6);
    for (int i = 0; i < kNumbersPerMember; ++i)
        text += std::to_string(100000 + std::uniform_int_distribution<int>(0, 99999)(random))
                    .substr(1) +
                ' ';
    return text;
}

// 200 users' five-digit plans of 50 000 numbers, in 10 groups that allow a few misses each; the
// root keeps what at most one group misses.
const tagPLANBIGPDATA& box() {
    static const std::unique_ptr<tagPLANBIGPDATA> root = [] {
        static const char* const tolerances[] = {"0-12", "0-13", "0-14", "1-14", "0,2,4-15"};
        std::mt19937 random(2015);
        auto top = quorstat::NewGroupNode();
        top->toleranceOn = 1;
        top->toleranceText = "0,1";
        for (int g = 0; g < kGroups; ++g) {
            auto group = quorstat::NewGroupNode();
            group->toleranceOn = 1;
            group->toleranceText = tolerances[g % 5];
            for (int m = 0; m < kMembersPerGroup; ++m) {
                auto item = quorstat::NewItemNode();
                item->setNumbers(randomNumbers(random));
                item->positionShown = "前五";
                item->tolerant = m == 0 && g % 3 == 0 ? 0 : 1;
                group->children.push_back(std::move(item));
            }
            top->children.push_back(std::move(group));
        }
        return top;
    }();
    return *root;
}

// The numbers already read into sets, as from the second computation of a box on. The result is
// checked against the counter arrays once, so the figures compare equal work.
void BM_ComputeBox(benchmark::State& state) {
    const auto play = fiveStars();
    const tagPLANBIGPDATA& root = box();
    const std::optional<quorstat::NumberSet> passed = quorstat::EvaluateBox(root, play);
    std::vector<std::size_t> numbers;
    for (std::size_t v = 0; passed && v < passed->space(); ++v) {
        if (passed->contains(v))
            numbers.push_back(v);
    }
    if (numbers.empty() || numbers != quorstat::reference::CountBox(root, play)) {
        state.SkipWithError("the result differs from the counter arrays");
        return;
    }
    state.counters["numbers"] = static_cast<double>(numbers.size());
    for (auto _ : state)
        benchmark::DoNotOptimize(quorstat::ComputeBox(root, play));
}
BENCHMARK(BM_ComputeBox)->Unit(benchmark::kMillisecond);

// The first computation: every member's text is read as well.
void BM_ComputeBoxReadingTexts(benchmark::State& state) {
    const auto play = fiveStars();
    tagPLANBIGPDATA root = box();
    for (auto _ : state) {
        state.PauseTiming();
        for (auto& group : root.children)
            for (auto& item : group->children)
                item->setNumbers(std::string(item->numbers()));
        state.ResumeTiming();
        benchmark::DoNotOptimize(quorstat::ComputeBox(root, play));
    }
}
BENCHMARK(BM_ComputeBoxReadingTexts)->Unit(benchmark::kMillisecond);

// The counter arrays as the rules state them, for comparison.
void BM_ComputeBoxCounterArrays(benchmark::State& state) {
    const auto play = fiveStars();
    const tagPLANBIGPDATA& root = box();
    for (auto _ : state)
        benchmark::DoNotOptimize(quorstat::reference::CountBox(root, play));
}
BENCHMARK(BM_ComputeBoxCounterArrays)->Unit(benchmark::kMillisecond);

}  // namespace
