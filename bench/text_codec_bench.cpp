#include <benchmark/benchmark.h>

#include <string>

#include "core/text_codec.h"

namespace {

// A plan-list reply is mostly ASCII with Chinese names; both directions run on every exchange.
std::string sampleReply() {
    std::string text;
    for (int i = 0; i < 10000; ++i)
        text += "ID=" + std::to_string(i) + "|LN=重庆时时彩|PN=五星直选|NUM=01234 56789|$";
    return text;
}

void BM_FromAnsi(benchmark::State& state) {
    const std::string ansi = quorstat::ToAnsi(sampleReply());
    for (auto _ : state)
        benchmark::DoNotOptimize(quorstat::FromAnsi(ansi));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * ansi.size()));
}
BENCHMARK(BM_FromAnsi)->Unit(benchmark::kMillisecond);

void BM_ToAnsi(benchmark::State& state) {
    const std::string utf8 = sampleReply();
    for (auto _ : state)
        benchmark::DoNotOptimize(quorstat::ToAnsi(utf8));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * utf8.size()));
}
BENCHMARK(BM_ToAnsi)->Unit(benchmark::kMillisecond);

}  // namespace
