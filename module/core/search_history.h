#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace quorstat {

inline constexpr std::string_view kSearchHistoryDir = "SearchLog";

// The remembered entries of one history field: the text file "<key>.log" in the history
// directory, one entry a line, most recent first.
class SearchHistory {
public:
    static constexpr std::size_t kMaxEntries = 50;

    SearchHistory(std::filesystem::path directory, std::string key);

    // Reads the file; a missing or unreadable one gives an empty history.
    void load();
    // Puts a non-empty entry first (dropping an equal older one), keeps the newest kMaxEntries and
    // rewrites the file. False when the file could not be written.
    bool add(std::string_view entry);

    const std::vector<std::string>& entries() const { return entries_; }
    // What the drop-down offers while `typed` is in the field: every entry longer than it that
    // begins with it, regardless of case; the whole history for an empty field.
    std::vector<std::string> offers(std::string_view typed) const;

    std::filesystem::path file() const;

private:
    bool store() const;

    std::filesystem::path directory_;
    std::string key_;
    std::vector<std::string> entries_;
};

// The lines of a history file in UTF-8, without empty ones.
std::vector<std::string> ReadHistoryLines(std::string_view ansiText);
std::string WriteHistoryLines(const std::vector<std::string>& entries);

}  // namespace quorstat
