#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace quorstat {

// What a Windows shortcut (".lnk") starts.
struct ShellLink {
    std::string targetPath;  // UTF-8
    std::string arguments;   // UTF-8
};

// None when the file is not a readable shell link or names no target path. Texts the link keeps
// in the ANSI code page are read as GBK.
std::optional<ShellLink> ReadShellLink(const std::filesystem::path& file);

}  // namespace quorstat
