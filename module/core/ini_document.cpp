#include "core/ini_document.h"

#include <algorithm>
#include <cctype>
#include <climits>

#include "core/ascii_case.h"
#include "core/atomic_file.h"
#include "core/text_codec.h"

namespace quorstat {
namespace {

std::string_view trim(std::string_view text) {
    const auto notSpace = [](unsigned char c) { return !std::isspace(c); };
    const auto first = std::find_if(text.begin(), text.end(), notSpace);
    const auto last = std::find_if(text.rbegin(), text.rend(), notSpace).base();
    return first < last ? std::string_view(first, last) : std::string_view();
}

std::optional<std::string_view> sectionName(std::string_view line) {
    const std::string_view text = trim(line);
    if (text.size() < 2 || text.front() != '[')
        return std::nullopt;
    const auto close = text.find(']');
    if (close == std::string_view::npos)
        return std::nullopt;
    return trim(text.substr(1, close - 1));
}

std::optional<std::pair<std::string_view, std::string_view>> keyValue(std::string_view line) {
    const auto equals = line.find('=');
    if (equals == std::string_view::npos)
        return std::nullopt;
    return std::pair(trim(line.substr(0, equals)), trim(line.substr(equals + 1)));
}

std::string_view unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

}  // namespace

int ParseProfileInt(std::string_view text) {
    text = trim(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    long long value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            break;
        value = std::min<long long>(value * 10 + (c - '0'), static_cast<long long>(INT_MAX) + 1);
    }
    value = negative ? -value : value;
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

IniDocument IniDocument::Parse(std::string_view utf8Text) {
    IniDocument document;
    while (!utf8Text.empty()) {
        const auto end = utf8Text.find('\n');
        std::string_view line = utf8Text.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        document.lines_.emplace_back(line);
        if (end == std::string_view::npos)
            break;
        utf8Text.remove_prefix(end + 1);
    }
    return document;
}

IniDocument IniDocument::Load(const std::filesystem::path& path) {
    const auto bytes = ReadWholeFile(path);
    return bytes ? Parse(FromAnsi(*bytes)) : IniDocument();
}

IniDocument::Location IniDocument::locate(std::string_view section, std::string_view key) const {
    Location location;
    location.insertAt = lines_.size();
    bool inSection = false;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (const auto name = sectionName(lines_[i])) {
            if (inSection)
                break;
            inSection = EqualsIgnoringCase(*name, section);
            if (inSection)
                location.sectionLine = location.insertAt = i + 1;
            continue;
        }
        if (!inSection)
            continue;
        const auto pair = keyValue(lines_[i]);
        if (pair && EqualsIgnoringCase(pair->first, key)) {
            location.keyLine = i;
            return location;
        }
        if (!trim(lines_[i]).empty())
            location.insertAt = i + 1;
    }
    return location;
}

std::optional<std::string> IniDocument::value(std::string_view section,
                                              std::string_view key) const {
    const Location location = locate(section, key);
    if (!location.keyLine)
        return std::nullopt;
    return std::string(unquote(keyValue(lines_[*location.keyLine])->second));
}

std::string IniDocument::getString(std::string_view section, std::string_view key,
                                   std::string_view fallback) const {
    auto found = value(section, key);
    return found ? std::move(*found) : std::string(fallback);
}

int IniDocument::getInt(std::string_view section, std::string_view key, int fallback) const {
    // As with Windows, a key without a value reads as missing.
    const auto found = value(section, key);
    return found && !found->empty() ? ParseProfileInt(*found) : fallback;
}

void IniDocument::setString(std::string_view section, std::string_view key,
                            std::string_view value) {
    // A line break in a value would start a new line of the file and could forge keys.
    value = value.substr(0, value.find_first_of("\r\n"));
    const Location location = locate(section, key);
    std::string line = std::string(key) + "=" + std::string(value);
    if (location.keyLine) {
        lines_[*location.keyLine] = std::move(line);
        return;
    }
    if (!location.sectionLine) {
        // Built by appending: GCC 12 warns falsely about "[" + text at -O3 (-Wrestrict).
        std::string header(1, '[');
        header.append(section).push_back(']');
        lines_.push_back(std::move(header));
        lines_.push_back(std::move(line));
        return;
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(location.insertAt), std::move(line));
}

void IniDocument::setInt(std::string_view section, std::string_view key, int value) {
    setString(section, key, std::to_string(value));
}

std::string IniDocument::text() const {
    std::string out;
    for (const auto& line : lines_)
        out += line + "\r\n";
    return out;
}

bool IniDocument::save(const std::filesystem::path& path) const {
    return WriteFileAtomically(path, ToAnsi(text()));
}

}  // namespace quorstat
