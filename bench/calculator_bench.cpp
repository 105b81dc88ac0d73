#include <benchmark/benchmark.h>

#include "plan/calculator.h"
#include "plan/play_state.h"

namespace {

// 99 issues of 两星单选 with ten numbers at 2 a bet and 195 a hit, the open issue late in the day
// so the issue labels cross days.
void BM_MultipleTable(benchmark::State& state) {
    const int strategy = static_cast<int>(state.range(0));
    quorstat::PlayState play;
    play.selectLottery(1010);
    play.selectPlay(1301);
    play.currentIssue = 130501100;
    play.issuesPerDay = 120;
    quorstat::tagCONFIG_MYPLANDATA settings = quorstat::NewPlanFormData(1010, 1301);
    settings.unitCost = 2;
    settings.prize = 195;
    settings.issueCount = quorstat::kMaxIssueCount;
    settings.manualMultiples.assign(60, 3);
    settings.raiseMode = quorstat::RaiseDouble;
    settings.raiseEvery = 20;
    settings.segment1Issues = 30;
    settings.stepProfit = 10;
    std::size_t rows = 0;
    for (auto _ : state) {
        const auto table = quorstat::ComputeMultipleTable(settings, 10, strategy, play);
        rows = table.size();
        benchmark::DoNotOptimize(table.data());
    }
    state.counters["rows"] = static_cast<double>(rows);
}

BENCHMARK(BM_MultipleTable)
    ->DenseRange(quorstat::MulManual, quorstat::MulSegmentRate)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
