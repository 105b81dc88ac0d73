#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorstat {

// A private-profile file with the Windows rules: case-insensitive sections and keys, integers read
// from their leading sign and digits, and a write that changes one line and keeps all others.
// Text is UTF-8 here and in the ANSI code page on disk.
class IniDocument {
public:
    static IniDocument Parse(std::string_view utf8Text);
    // A missing or unreadable file gives an empty document.
    static IniDocument Load(const std::filesystem::path& path);

    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    std::string getString(std::string_view section, std::string_view key,
                          std::string_view fallback) const;
    // A missing key or an empty value gives the fallback.
    int getInt(std::string_view section, std::string_view key, int fallback) const;

    // A value is kept up to its first line break.
    void setString(std::string_view section, std::string_view key, std::string_view value);
    void setInt(std::string_view section, std::string_view key, int value);

    std::string text() const;
    bool save(const std::filesystem::path& path) const;

private:
    struct Location {
        std::optional<std::size_t> sectionLine;
        std::optional<std::size_t> keyLine;
        std::size_t insertAt = 0;
    };
    Location locate(std::string_view section, std::string_view key) const;

    std::vector<std::string> lines_;
};

// The leading integer of a profile value: optional sign, then digits; anything else reads as 0.
int ParseProfileInt(std::string_view text);

}  // namespace quorstat
