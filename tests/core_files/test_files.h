#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "temp_dir.h"

namespace quorstat::testing {

// Bytes as the Windows program wrote them: little-endian integers, strings with a one-byte length.
inline std::string le32(std::uint32_t value) {
    std::string out;
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    return out;
}

inline std::string shortString(std::string_view ansi) {
    return std::string(1, static_cast<char>(ansi.size())) + std::string(ansi);
}

inline void writeFile(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace quorstat::testing
