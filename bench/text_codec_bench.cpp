#include <benchmark/benchmark.h>

#include <string>

#include "core/text_codec.h"
#include "iconv_converter.h"
#include "plan_list_reply.h"

namespace {

using quorstat::testing::IconvConverter;

// Replies are mostly ASCII with Chinese names; both directions run on every exchange.
const std::string& sampleReply() {
    static const std::string text = planListReply(10000);
    return text;
}

// Chinese throughout: names, notices and template texts.
const std::string& chineseText() {
    static const std::string text = [] {
        std::string chinese;
        for (int i = 0; i < 20000; ++i)
            chinese += "投注统计系统提示信息";
        return chinese;
    }();
    return text;
}

template <typename Convert>
void convertRepeatedly(benchmark::State& state, const std::string& input, Convert convert) {
    for (auto _ : state)
        benchmark::DoNotOptimize(convert(input));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * input.size()));
}

void BM_FromAnsi(benchmark::State& state) {
    convertRepeatedly(state, quorstat::ToAnsi(sampleReply()),
                      [](const std::string& ansi) { return quorstat::FromAnsi(ansi); });
}
BENCHMARK(BM_FromAnsi)->Unit(benchmark::kMicrosecond);

void BM_FromAnsiIconv(benchmark::State& state) {
    const IconvConverter iconv = quorstat::testing::iconvFromAnsi();
    convertRepeatedly(state, quorstat::ToAnsi(sampleReply()),
                      [&](const std::string& ansi) { return iconv.convertReplacing(ansi); });
}
BENCHMARK(BM_FromAnsiIconv)->Unit(benchmark::kMicrosecond);

void BM_ToAnsi(benchmark::State& state) {
    convertRepeatedly(state, sampleReply(),
                      [](const std::string& utf8) { return quorstat::ToAnsi(utf8); });
}
BENCHMARK(BM_ToAnsi)->Unit(benchmark::kMicrosecond);

void BM_ToAnsiIconv(benchmark::State& state) {
    const IconvConverter iconv = quorstat::testing::iconvToAnsi();
    convertRepeatedly(state, sampleReply(),
                      [&](const std::string& utf8) { return iconv.convertReplacing(utf8); });
}
BENCHMARK(BM_ToAnsiIconv)->Unit(benchmark::kMicrosecond);

void BM_FromAnsiChinese(benchmark::State& state) {
    convertRepeatedly(state, quorstat::ToAnsi(chineseText()),
                      [](const std::string& ansi) { return quorstat::FromAnsi(ansi); });
}
BENCHMARK(BM_FromAnsiChinese)->Unit(benchmark::kMicrosecond);

void BM_FromAnsiChineseIconv(benchmark::State& state) {
    const IconvConverter iconv = quorstat::testing::iconvFromAnsi();
    convertRepeatedly(state, quorstat::ToAnsi(chineseText()),
                      [&](const std::string& ansi) { return iconv.convertReplacing(ansi); });
}
BENCHMARK(BM_FromAnsiChineseIconv)->Unit(benchmark::kMicrosecond);

void BM_ToAnsiChinese(benchmark::State& state) {
    convertRepeatedly(state, chineseText(),
                      [](const std::string& utf8) { return quorstat::ToAnsi(utf8); });
}
BENCHMARK(BM_ToAnsiChinese)->Unit(benchmark::kMicrosecond);

void BM_ToAnsiChineseIconv(benchmark::State& state) {
    const IconvConverter iconv = quorstat::testing::iconvToAnsi();
    convertRepeatedly(state, chineseText(),
                      [&](const std::string& utf8) { return iconv.convertReplacing(utf8); });
}
BENCHMARK(BM_ToAnsiChineseIconv)->Unit(benchmark::kMicrosecond);

}  // namespace
