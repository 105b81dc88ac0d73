// CBaseFile::Open on any file: a container that opens reads to its end, and one that is changed
// and closed opens again.
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/base_file.h"

namespace {

// One directory per run, removed at exit.
struct WorkDir {
    WorkDir() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "quorstat_base_file_fuzz_XXXXXX").string();
        path = ::mkdtemp(pattern.data());
    }
    ~WorkDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    std::filesystem::path path;
};

const std::filesystem::path& workDir() {
    static const WorkDir dir;
    return dir.path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using quorstat::CBaseFile;
    const auto path = workDir() / "input.prj";
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

    CBaseFile file;
    if (!file.Open(path, CBaseFile::modeRead))
        return 0;
    std::vector<char> content(file.GetLength());
    if (file.Read(content.data(), content.size()) != content.size())
        __builtin_trap();
    file.Close();

    if (!file.Open(path, CBaseFile::modeReadWrite | CBaseFile::modeNoTruncate))
        __builtin_trap();
    file.SetTypeTag("Fuzz", static_cast<std::int32_t>(size));
    file.Seek(0, CBaseFile::SeekFrom::end);
    file.Write("!", 1);
    if (!file.Close() || !file.Open(path, CBaseFile::modeRead) ||
        file.GetLength() != content.size() + 1 || !file.HasTypeTag("Fuzz"))
        __builtin_trap();
    return 0;
}
