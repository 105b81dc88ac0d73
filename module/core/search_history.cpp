#include "core/search_history.h"

#include <algorithm>
#include <system_error>

#include "core/atomic_file.h"
#include "core/text_codec.h"

namespace quorstat {

namespace {

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Only Latin letters have case; the bytes of other characters compare as they are.
bool startsWithIgnoringCase(std::string_view text, std::string_view start) {
    return text.size() >= start.size() &&
           std::ranges::equal(text.substr(0, start.size()), start, {}, lowerAscii, lowerAscii);
}

}  // namespace

SearchHistory::SearchHistory(std::filesystem::path directory, std::string key)
    : directory_(std::move(directory)), key_(std::move(key)) {}

std::filesystem::path SearchHistory::file() const {
    return directory_ / (key_ + ".log");
}

void SearchHistory::load() {
    const auto bytes = ReadWholeFile(file());
    entries_ = bytes ? ReadHistoryLines(*bytes) : std::vector<std::string>{};
    if (entries_.size() > kMaxEntries)
        entries_.resize(kMaxEntries);
}

bool SearchHistory::add(std::string_view entry) {
    if (entry.empty())
        return true;
    std::erase(entries_, entry);
    entries_.insert(entries_.begin(), std::string(entry));
    if (entries_.size() > kMaxEntries)
        entries_.resize(kMaxEntries);
    return store();
}

bool SearchHistory::store() const {
    std::error_code error;
    std::filesystem::create_directories(directory_, error);
    return WriteFileAtomically(file(), WriteHistoryLines(entries_));
}

std::vector<std::string> SearchHistory::offers(std::string_view typed) const {
    std::vector<std::string> offered;
    for (const std::string& entry : entries_) {
        if (typed.empty() || (entry.size() > typed.size() && startsWithIgnoringCase(entry, typed)))
            offered.push_back(entry);
    }
    return offered;
}

std::vector<std::string> ReadHistoryLines(std::string_view ansiText) {
    std::vector<std::string> lines;
    while (!ansiText.empty()) {
        const std::size_t end = ansiText.find('\n');
        std::string_view line = ansiText.substr(0, end);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        if (!line.empty())
            lines.push_back(FromAnsi(line));
        if (end == std::string_view::npos)
            break;
        ansiText.remove_prefix(end + 1);
    }
    return lines;
}

std::string WriteHistoryLines(const std::vector<std::string>& entries) {
    std::string text;
    for (const std::string& entry : entries)
        text += ToAnsi(entry) + "\r\n";
    return text;
}

}  // namespace quorstat
