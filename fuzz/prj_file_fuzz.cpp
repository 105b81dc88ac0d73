// The ".prj" exchange file: the record reader on any data part, and LoadPrjFile on the input as a
// whole file and wrapped in a sound container. A tree that loads exports to the same bytes twice.
#include <cstdint>
#include <filesystem>
#include <string>

#include "core/base_file.h"
#include "databox/prj_file.h"
#include "test_files.h"

namespace {

const std::filesystem::path& workDir() {
    static const quorstat::testing::TempDir dir;
    return dir.path();
}

std::string exported(const quorstat::tagPLANBIGPDATA& root, const quorstat::PlayState& play) {
    std::string data;
    quorstat::WritePrjData(root, play, [&](std::string_view bytes) {
        data += bytes;
        return true;
    });
    return data;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace quorstat;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const int starCount = size > 1 ? data[1] : 0;

    if (const auto root = ReadPrjData(bytes, starCount); root && starCount >= 2 && starCount <= 5) {
        PlayState play;
        play.selectLottery(1010);
        play.selectPlay(1299 + starCount);
        const std::string once = exported(*root, play);
        const auto flat = ReadPrjData(once, starCount);
        if (!flat || exported(*flat, play) != once)
            __builtin_trap();
    }

    const auto raw = workDir() / "raw.prj";
    testing::writeFile(raw, bytes);
    LoadPrjFile(raw, starCount, true);

    const auto wrapped = workDir() / "wrapped.prj";
    std::filesystem::remove(wrapped);
    CBaseFile file;
    if (file.Open(wrapped, CBaseFile::modeCreate | CBaseFile::modeReadWrite)) {
        file.SetTypeTag(kPrjTypeTag, kPrjTypeValue);
        file.Write(bytes.data(), size);
        file.Close();
    }
    const PrjLoad load = LoadPrjFile(wrapped, starCount, true);
    if (size > 0 && !load.root && load.message.empty())
        __builtin_trap();  // a sound container always opens
    return 0;
}
