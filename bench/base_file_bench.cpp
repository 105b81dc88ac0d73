#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <string>

#include "core/base_file.h"

namespace {

using quorstat::CBaseFile;

constexpr std::size_t kDataSize = 32 << 20;  // a large big-base box file
constexpr std::size_t kRecordSize = 552;     // one exchange record

std::filesystem::path benchFile() {
    return std::filesystem::temp_directory_path() /
           ("quorstat_base_file_bench_" + std::to_string(::getpid()) + ".prj");
}

void writeContainer(const std::filesystem::path& path) {
    const std::string record(kRecordSize, '\x07');
    CBaseFile file;
    file.Open(path, CBaseFile::modeCreate | CBaseFile::modeReadWrite);
    file.SetTypeTag("BigPFile", 0x0132B4DB);
    for (std::size_t written = 0; written < kDataSize; written += record.size())
        file.Write(record.data(), record.size());
    file.Close();
}

// Record by record through the 128 KiB buffer, then the checksums over the whole data.
void BM_BaseFileWrite(benchmark::State& state) {
    const auto path = benchFile();
    for (auto _ : state)
        writeContainer(path);
    std::filesystem::remove(path);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kDataSize));
}
BENCHMARK(BM_BaseFileWrite)->Unit(benchmark::kMillisecond);

// Opening checks length and checksums in 1 MiB chunks.
void BM_BaseFileOpen(benchmark::State& state) {
    const auto path = benchFile();
    writeContainer(path);
    for (auto _ : state) {
        CBaseFile file;
        benchmark::DoNotOptimize(file.Open(path, CBaseFile::modeRead));
    }
    std::filesystem::remove(path);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kDataSize));
}
BENCHMARK(BM_BaseFileOpen)->Unit(benchmark::kMillisecond);

}  // namespace
