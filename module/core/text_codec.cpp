#include "core/text_codec.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>

#include "core/gb18030_tables.h"

namespace quorstat {
namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr std::string_view kAnsiReplacement = "\x84\x31\xA4\x37";  // U+FFFD
constexpr std::uint32_t kFourByteLinearCount = 126 * 10 * 126 * 10;

// One character read off the front of a text; `length` 0 when the bytes there form none.
struct Decoded {
    char32_t codePoint = 0;
    std::size_t length = 0;
};

// Replies and files are mostly ASCII: a run of it is found eight bytes at a time and copied whole.
std::size_t asciiRunLength(std::string_view text, std::size_t from) {
    constexpr std::uint64_t kHighBits = 0x8080808080808080u;
    std::size_t at = from;
    for (std::uint64_t word = 0; at + sizeof word <= text.size(); at += sizeof word) {
        std::memcpy(&word, text.data() + at, sizeof word);
        if (word & kHighBits)
            break;
    }
    while (at < text.size() && static_cast<unsigned char>(text[at]) < 0x80)
        ++at;
    return at - from;
}

// Converts `text`, copying ASCII runs as they are and handing every other character to `convert`,
// which returns how many bytes it took (at least one).
template <typename Convert>
std::string convertText(std::string_view text, std::size_t reserve, Convert convert) {
    std::string out;
    out.reserve(reserve);
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t ascii = asciiRunLength(text, at);
        out.append(text.data() + at, ascii);
        at += ascii;
        if (at < text.size())
            at += convert(text.substr(at), out);
    }
    return out;
}

unsigned byteAt(std::string_view text, std::size_t at) {
    return static_cast<unsigned char>(text[at]);
}

bool isContinuation(unsigned byte) {
    return (byte & 0xC0) == 0x80;
}

// A well-formed UTF-8 character: no overlong form, no surrogate, nothing beyond U+10FFFF.
Decoded decodeUtf8(std::string_view text) {
    const unsigned lead = byteAt(text, 0);
    std::size_t length = 0;
    char32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        minimum = 0x10000;
    }
    if (length == 0 || text.size() < length)
        return {};
    char32_t codePoint = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if (!isContinuation(byteAt(text, i)))
            return {};
        codePoint = codePoint << 6 | (byteAt(text, i) & 0x3F);
    }
    if (codePoint < minimum || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint < 0xE000))
        return {};
    return {codePoint, length};
}

void appendUtf8(std::string& out, char32_t codePoint) {
    char bytes[4];
    std::size_t length = 0;
    if (codePoint < 0x80) {
        bytes[length++] = static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        bytes[length++] = static_cast<char>(0xC0 | codePoint >> 6);
        bytes[length++] = static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        bytes[length++] = static_cast<char>(0xE0 | codePoint >> 12);
        bytes[length++] = static_cast<char>(0x80 | (codePoint >> 6 & 0x3F));
        bytes[length++] = static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        bytes[length++] = static_cast<char>(0xF0 | codePoint >> 18);
        bytes[length++] = static_cast<char>(0x80 | (codePoint >> 12 & 0x3F));
        bytes[length++] = static_cast<char>(0x80 | (codePoint >> 6 & 0x3F));
        bytes[length++] = static_cast<char>(0x80 | (codePoint & 0x3F));
    }
    out.append(bytes, length);
}

bool inRange(unsigned byte, unsigned first, unsigned last) {
    return byte >= first && byte <= last;
}

// The first-plane character of a four-byte sequence; 0 when the sequence stands for none.
char32_t firstPlaneCharacter(std::uint32_t linear) {
    const auto runs = gb18030::fourByteRunsByLinear();
    const auto next = std::upper_bound(
        runs.begin(), runs.end(), linear,
        [](std::uint32_t value, const gb18030::FourByteRun& run) { return value < run.linear; });
    if (next == runs.begin())
        return 0;
    const auto& run = *(next - 1);
    return linear - run.linear < run.length ? run.codePoint + (linear - run.linear) : 0;
}

Decoded decodeFourBytes(std::string_view text) {
    if (text.size() < 4 || !inRange(byteAt(text, 2), 0x81, 0xFE) ||
        !inRange(byteAt(text, 3), 0x30, 0x39))
        return {};
    const std::uint32_t linear =
        (((byteAt(text, 0) - 0x81) * 10 + byteAt(text, 1) - 0x30) * 126 + byteAt(text, 2) - 0x81) *
            10 +
        byteAt(text, 3) - 0x30;
    if (linear >= gb18030::kSupplementaryFirstLinear) {
        const char32_t codePoint = linear - gb18030::kSupplementaryFirstLinear + 0x10000;
        return codePoint <= 0x10FFFF ? Decoded{codePoint, 4} : Decoded{};
    }
    const char32_t codePoint = firstPlaneCharacter(linear);
    return codePoint ? Decoded{codePoint, 4} : Decoded{};
}

Decoded decodeGb18030(std::string_view text) {
    if (text.size() < 2 || !inRange(byteAt(text, 0), 0x81, 0xFE))
        return {};
    const unsigned trail = byteAt(text, 1);
    if (inRange(trail, 0x30, 0x39))
        return decodeFourBytes(text);
    if (trail < 0x40 || trail == 0x7F || trail == 0xFF)
        return {};
    const std::size_t index =
        (byteAt(text, 0) - 0x81) * gb18030::kTrailsPerLead + trail - 0x40 - (trail > 0x7F ? 1 : 0);
    const char32_t codePoint = gb18030::kTwoByteToUnicode[index];
    return codePoint ? Decoded{codePoint, 2} : Decoded{};
}

void appendTwoBytes(std::string& out, std::uint16_t code) {
    const char bytes[] = {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
    out.append(bytes, sizeof bytes);
}

void appendFourBytes(std::string& out, std::uint32_t linear) {
    const char bytes[] = {
        static_cast<char>(0x81 + linear / 12600), static_cast<char>(0x30 + linear / 1260 % 10),
        static_cast<char>(0x81 + linear / 10 % 126), static_cast<char>(0x30 + linear % 10)};
    out.append(bytes, sizeof bytes);
}

// The four-byte sequence of a first-plane character without a two-byte form; none if it has none.
std::optional<std::uint32_t> firstPlaneLinear(char32_t codePoint) {
    const auto runs = gb18030::fourByteRunsByCodePoint();
    const auto next = std::upper_bound(
        runs.begin(), runs.end(), codePoint,
        [](char32_t value, const gb18030::FourByteRun& run) { return value < run.codePoint; });
    if (next == runs.begin())
        return std::nullopt;
    const auto& run = *(next - 1);
    if (codePoint - run.codePoint >= run.length)
        return std::nullopt;
    return run.linear + (codePoint - run.codePoint);
}

// Appends the GB18030 form of a character beyond ASCII; false when it has none.
bool appendGb18030(std::string& out, char32_t codePoint) {
    if (codePoint < 0x10000) {
        if (const std::uint16_t code = gb18030::kBmpToTwoByte[codePoint]) {
            appendTwoBytes(out, code);
            return true;
        }
        const auto linear = firstPlaneLinear(codePoint);
        if (linear)
            appendFourBytes(out, *linear);
        return linear.has_value();
    }
    for (const auto& pair : gb18030::supplementaryTwoByte()) {
        if (pair.codePoint == codePoint) {
            appendTwoBytes(out, pair.code);
            return true;
        }
    }
    const std::uint32_t linear = codePoint - 0x10000 + gb18030::kSupplementaryFirstLinear;
    if (linear >= kFourByteLinearCount)
        return false;
    appendFourBytes(out, linear);
    return true;
}

// Length of the GB18030 form of a character beyond ASCII; 4 for the replacement of none.
std::size_t gb18030Length(char32_t codePoint) {
    if (codePoint < 0x10000)
        return gb18030::kBmpToTwoByte[codePoint] ? 2 : 4;
    const auto pairs = gb18030::supplementaryTwoByte();
    return std::any_of(pairs.begin(), pairs.end(),
                       [&](const auto& pair) { return pair.codePoint == codePoint; })
               ? 2
               : 4;
}

// Byte count of the GB18030 character starting at ansi[at]: 1, 2 or 4.
std::size_t ansiCharLength(std::string_view ansi, std::size_t at) {
    if (byteAt(ansi, at) < 0x80)
        return 1;
    const bool fourBytes = at + 1 < ansi.size() && inRange(byteAt(ansi, at + 1), 0x30, 0x39);
    return fourBytes ? 4 : 2;
}

}  // namespace

// Bytes that form no character become U+FFFD (or its GB18030 form), one byte at a time, so the
// rest of the text survives; a well-formed character without a GB18030 form becomes one U+FFFD.
std::string ToAnsi(std::string_view utf8) {
    return convertText(utf8, utf8.size(), [](std::string_view rest, std::string& out) {
        const Decoded character = decodeUtf8(rest);
        if (character.length == 0 || !appendGb18030(out, character.codePoint)) {
            out.append(kAnsiReplacement);
            return std::max<std::size_t>(character.length, 1);
        }
        return character.length;
    });
}

std::string FromAnsi(std::string_view ansi) {
    return convertText(ansi, ansi.size() + ansi.size() / 2,
                       [](std::string_view rest, std::string& out) {
                           const Decoded character = decodeGb18030(rest);
                           appendUtf8(out, character.length ? character.codePoint : kReplacement);
                           return std::max<std::size_t>(character.length, 1);
                       });
}

std::size_t AnsiLength(std::string_view utf8) {
    std::size_t length = 0;
    for (std::size_t at = 0; at < utf8.size();) {
        const std::size_t ascii = asciiRunLength(utf8, at);
        length += ascii;
        at += ascii;
        if (at == utf8.size())
            break;
        const Decoded character = decodeUtf8(utf8.substr(at));
        length += character.length ? gb18030Length(character.codePoint) : kAnsiReplacement.size();
        at += std::max<std::size_t>(character.length, 1);
    }
    return length;
}

std::string TruncateAnsi(std::string_view utf8, std::size_t maxBytes) {
    const std::string ansi = ToAnsi(utf8);
    if (ansi.size() <= maxBytes)
        return std::string(utf8);
    std::size_t end = 0;
    while (end < ansi.size()) {
        const std::size_t next = end + ansiCharLength(ansi, end);
        if (next > maxBytes)
            break;
        end = next;
    }
    return FromAnsi(std::string_view(ansi).substr(0, end));
}

}  // namespace quorstat
