#include "core/ini_document.h"

#include <algorithm>
#include <cctype>
#include <climits>

#include "core/ascii_case.h"
#include "core/atomic_file.h"
#include "core/text_codec.h"

namespace quorstat {
namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

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

std::vector<IniDocument::Line> IniDocument::splitLines(std::string_view text) {
    std::vector<Line> lines;
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        std::string ending;
        if (end != std::string_view::npos) {
            const bool crlf = !line.empty() && line.back() == '\r';
            if (crlf)
                line.remove_suffix(1);
            ending = crlf ? "\r\n" : "\n";
        }
        lines.push_back({std::string(line), std::move(ending)});
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

IniDocument IniDocument::Parse(std::string_view utf8Text) {
    IniDocument document;
    document.lines_ = splitLines(utf8Text);
    for (Line& line : document.lines_)
        line.bytes = ToAnsi(line.bytes);
    return document;
}

IniDocument IniDocument::FromBytes(std::string_view bytes) {
    IniDocument document;
    document.utf8_ = bytes.starts_with(kUtf8ByteOrderMark);
    if (document.utf8_)
        bytes.remove_prefix(kUtf8ByteOrderMark.size());
    document.lines_ = splitLines(bytes);
    return document;
}

IniDocument IniDocument::Load(const std::filesystem::path& path) {
    const auto bytes = ReadWholeFile(path);
    return bytes ? FromBytes(*bytes) : IniDocument();
}

std::string IniDocument::decode(std::string_view bytes) const {
    return utf8_ ? std::string(bytes) : FromAnsi(bytes);
}

std::string IniDocument::encode(std::string_view utf8) const {
    return utf8_ ? std::string(utf8) : ToAnsi(utf8);
}

// Section and key names are compared in the file's encoding: "[", "]", "=" and blanks never occur
// inside a multi-byte character there.
IniDocument::Location IniDocument::locate(std::string_view section, std::string_view key) const {
    const std::string sectionBytes = encode(section);
    const std::string keyBytes = encode(key);
    Location location;
    location.insertAt = lines_.size();
    bool inSection = false;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const std::string& line = lines_[i].bytes;
        if (const auto name = sectionName(line)) {
            if (inSection)
                break;
            inSection = EqualsIgnoringCase(*name, sectionBytes);
            if (inSection)
                location.sectionLine = location.insertAt = i + 1;
            continue;
        }
        if (!inSection)
            continue;
        const auto pair = keyValue(line);
        if (pair && EqualsIgnoringCase(pair->first, keyBytes)) {
            location.keyLine = i;
            return location;
        }
        if (!trim(line).empty())
            location.insertAt = i + 1;
    }
    return location;
}

std::optional<std::string> IniDocument::value(std::string_view section,
                                              std::string_view key) const {
    const Location location = locate(section, key);
    if (!location.keyLine)
        return std::nullopt;
    return valueOfLine(*location.keyLine);
}

std::string IniDocument::valueOfLine(std::size_t index) const {
    return decode(unquote(keyValue(lines_[index].bytes)->second));
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

void IniDocument::insertLine(std::size_t at, std::string bytes) {
    // The line before the new one may be a last line without a line break.
    if (at > 0 && lines_[at - 1].ending.empty())
        lines_[at - 1].ending = "\r\n";
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), {std::move(bytes), "\r\n"});
}

void IniDocument::setString(std::string_view section, std::string_view key,
                            std::string_view value) {
    // A line break in a value would start a new line of the file and could forge keys.
    value = value.substr(0, value.find_first_of("\r\n"));
    const Location location = locate(section, key);
    std::string line = encode(std::string(key) + "=" + std::string(value));
    if (location.keyLine) {
        // A value that stays the same leaves its line as it was, bytes the program cannot read
        // included.
        if (valueOfLine(*location.keyLine) != value)
            lines_[*location.keyLine].bytes = std::move(line);
        return;
    }
    if (!location.sectionLine) {
        // Built by appending: GCC 12 warns falsely about "[" + text at -O3 (-Wrestrict).
        std::string header(1, '[');
        header.append(encode(section)).push_back(']');
        insertLine(lines_.size(), std::move(header));
        insertLine(lines_.size(), std::move(line));
        return;
    }
    insertLine(location.insertAt, std::move(line));
}

void IniDocument::setInt(std::string_view section, std::string_view key, int value) {
    setString(section, key, std::to_string(value));
}

std::string IniDocument::text() const {
    std::string out;
    for (const auto& line : lines_)
        out += decode(line.bytes) + line.ending;
    return out;
}

std::string IniDocument::bytes() const {
    std::string out(utf8_ ? kUtf8ByteOrderMark : std::string_view());
    for (const auto& line : lines_)
        out += line.bytes + line.ending;
    return out;
}

bool IniDocument::save(const std::filesystem::path& path) const {
    return WriteFileAtomically(path, bytes());
}

}  // namespace quorstat
