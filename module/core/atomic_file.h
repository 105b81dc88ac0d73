#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace quorstat {

// Writes through a temporary file in the same directory renamed over the target, so a crash or a
// full disk leaves either the old file or the new one, never half of one.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                         std::optional<std::filesystem::perms> mode = std::nullopt);

// Writes `bytes` unless they equal `saved`, the bytes the file was last read or written with, so a
// file is never rewritten, nor a damaged one replaced, without a change; `saved` follows a write.
// False when the write failed.
bool WriteFileIfChanged(const std::filesystem::path& path, std::string bytes, std::string& saved);

// The whole file, or nothing when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path);

}  // namespace quorstat
