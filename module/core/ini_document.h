#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorstat {

// A private-profile file with the Windows rules: case-insensitive sections and keys, integers read
// from their leading sign and digits, and a write that changes one line and keeps all others byte
// for byte. Text is UTF-8 here; on disk it is in the ANSI code page, or in UTF-8 when the file
// starts with a UTF-8 byte-order mark (which is then kept).
class IniDocument {
public:
    // A document from UTF-8 text, to be saved in the ANSI code page.
    static IniDocument Parse(std::string_view utf8Text);
    // A document from the bytes of a file as they lie on disk.
    static IniDocument FromBytes(std::string_view bytes);
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

    // The whole document as UTF-8 text, and as the bytes `save` writes.
    std::string text() const;
    std::string bytes() const;
    bool save(const std::filesystem::path& path) const;

private:
    // One line in the file's encoding, with the line break it ended with (none for a last line
    // without one).
    struct Line {
        std::string bytes;
        std::string ending;
    };
    struct Location {
        std::optional<std::size_t> sectionLine;
        std::optional<std::size_t> keyLine;
        std::size_t insertAt = 0;
    };
    static std::vector<Line> splitLines(std::string_view text);
    Location locate(std::string_view section, std::string_view key) const;
    std::string valueOfLine(std::size_t index) const;
    void insertLine(std::size_t at, std::string bytes);
    std::string decode(std::string_view bytes) const;
    std::string encode(std::string_view utf8) const;

    std::vector<Line> lines_;
    bool utf8_ = false;
};

// The leading integer of a profile value: optional sign, then digits; anything else reads as 0.
int ParseProfileInt(std::string_view text);

}  // namespace quorstat
