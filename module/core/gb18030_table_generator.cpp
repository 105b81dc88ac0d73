// Writes the tables of the GB18030 converter as C++ source, asking the C library's converter
// about every two-byte sequence, every first-plane four-byte sequence and every character of the
// first plane, so that the table-driven converter gives exactly the C library's answers.
#include <iconv.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "core/gb18030_tables.h"

namespace {

using namespace quorstat::gb18030;

class Iconv {
public:
    Iconv(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
    ~Iconv() {
        if (ok())
            iconv_close(handle_);
    }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;

    bool ok() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

    // The whole input converted, or none when any of it does not convert.
    std::optional<std::string> convert(const std::string& input) const {
        char out[16];
        char* in = const_cast<char*>(input.data());
        std::size_t inLeft = input.size();
        char* dst = out;
        std::size_t dstLeft = sizeof out;
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        if (iconv(handle_, &in, &inLeft, &dst, &dstLeft) == static_cast<std::size_t>(-1) ||
            inLeft != 0)
            return std::nullopt;
        return std::string(out, static_cast<std::size_t>(dst - out));
    }

private:
    iconv_t handle_;
};

std::string utf32(char32_t codePoint) {
    std::string bytes;
    for (int i = 0; i < 4; ++i)
        bytes.push_back(static_cast<char>((codePoint >> (8 * i)) & 0xFF));
    return bytes;
}

std::optional<char32_t> decodeOne(const Iconv& decoder, const std::string& sequence) {
    const auto out = decoder.convert(sequence);
    if (!out || out->size() != 4)
        return std::nullopt;
    char32_t codePoint = 0;
    for (int i = 3; i >= 0; --i)
        codePoint = (codePoint << 8) | static_cast<unsigned char>((*out)[i]);
    return codePoint;
}

std::string fourByteSequence(std::uint32_t linear) {
    return {static_cast<char>(0x81 + linear / 12600), static_cast<char>(0x30 + linear / 1260 % 10),
            static_cast<char>(0x81 + linear / 10 % 126), static_cast<char>(0x30 + linear % 10)};
}

struct Tables {
    std::vector<char32_t> twoByteToUnicode = std::vector<char32_t>(kTwoByteCount, 0);
    std::vector<std::uint16_t> bmpToTwoByte = std::vector<std::uint16_t>(0x10000, 0);
    std::vector<FourByteRun> runs;
    std::vector<SupplementaryTwoByte> supplementary;
};

void readTwoByteTable(const Iconv& decoder, Tables& tables) {
    for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
        for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail == 0x7F)
                continue;
            const std::string sequence{static_cast<char>(lead), static_cast<char>(trail)};
            const auto codePoint = decodeOne(decoder, sequence);
            if (!codePoint)
                continue;
            const std::size_t index =
                (lead - 0x81) * kTrailsPerLead + trail - 0x40 - (trail > 0x7F);
            tables.twoByteToUnicode[index] = *codePoint;
            if (*codePoint >= 0x10000)
                tables.supplementary.push_back(
                    {*codePoint, static_cast<std::uint16_t>(lead << 8 | trail)});
        }
    }
}

void readFourByteRuns(const Iconv& decoder, Tables& tables) {
    for (std::uint32_t linear = 0; linear < kSupplementaryFirstLinear; ++linear) {
        const auto codePoint = decodeOne(decoder, fourByteSequence(linear));
        if (!codePoint)
            continue;
        FourByteRun* last = tables.runs.empty() ? nullptr : &tables.runs.back();
        if (last && last->linear + last->length == linear &&
            last->codePoint + last->length == *codePoint)
            ++last->length;
        else
            tables.runs.push_back({linear, *codePoint, 1});
    }
}

// The encoder decides which form a character takes; the tables must agree with it.
bool checkEncoder(const Iconv& encoder, Tables& tables) {
    for (char32_t codePoint = 0x80; codePoint < 0x10000; ++codePoint) {
        if (codePoint >= 0xD800 && codePoint < 0xE000)
            continue;
        const auto out = encoder.convert(utf32(codePoint));
        if (out && out->size() == 2) {
            tables.bmpToTwoByte[codePoint] = static_cast<std::uint16_t>(
                static_cast<unsigned char>((*out)[0]) << 8 | static_cast<unsigned char>((*out)[1]));
            continue;
        }
        const bool inRun = std::any_of(tables.runs.begin(), tables.runs.end(), [&](const auto& r) {
            return codePoint >= r.codePoint && codePoint < r.codePoint + r.length;
        });
        if (out.has_value() != inRun || (out && out->size() != 4)) {
            std::cerr << "unexpected form of U+" << std::hex << static_cast<unsigned>(codePoint)
                      << '\n';
            return false;
        }
    }
    return true;
}

template <typename T, typename Format>
void writeArray(std::ostream& out, const char* declaration, const std::vector<T>& values,
                Format format) {
    out << declaration << " = {\n";
    for (std::size_t i = 0; i < values.size(); ++i)
        out << format(values[i]) << (i % 8 == 7 || i + 1 == values.size() ? ",\n" : ", ");
    out << "};\n\n";
}

std::string hex(unsigned value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", value);
    return text;
}

std::string run(const FourByteRun& r) {
    return "{" + std::to_string(r.linear) + ", " + hex(r.codePoint) + ", " +
           std::to_string(r.length) + "}";
}

void writeTables(std::ostream& out, Tables& tables) {
    out << "// Generated by gb18030_table_generator from the C library's converter.\n"
           "#include \"core/gb18030_tables.h\"\n\n"
           "namespace quorstat::gb18030 {\n\n";
    const auto number = [](auto value) { return hex(static_cast<unsigned>(value)); };
    writeArray(out, "const char32_t kTwoByteToUnicode[kTwoByteCount]", tables.twoByteToUnicode,
               number);
    writeArray(out, "const std::uint16_t kBmpToTwoByte[0x10000]", tables.bmpToTwoByte, number);
    writeArray(out, "constexpr FourByteRun kRunsByLinear[]", tables.runs, run);
    std::sort(tables.runs.begin(), tables.runs.end(),
              [](const auto& a, const auto& b) { return a.codePoint < b.codePoint; });
    writeArray(out, "constexpr FourByteRun kRunsByCodePoint[]", tables.runs, run);
    writeArray(out, "constexpr SupplementaryTwoByte kSupplementary[]", tables.supplementary,
               [](const SupplementaryTwoByte& s) {
                   return "{" + hex(s.codePoint) + ", " + hex(s.code) + "}";
               });
    out << "std::span<const FourByteRun> fourByteRunsByLinear() {\n"
           "    return kRunsByLinear;\n}\n\n"
           "std::span<const FourByteRun> fourByteRunsByCodePoint() {\n"
           "    return kRunsByCodePoint;\n}\n\n"
           "std::span<const SupplementaryTwoByte> supplementaryTwoByte() {\n"
           "    return kSupplementary;\n}\n\n"
           "}  // namespace quorstat::gb18030\n";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: gb18030_table_generator OUTPUT.cpp\n";
        return 2;
    }
    const Iconv decoder("UTF-32LE", "GB18030");
    const Iconv encoder("GB18030", "UTF-32LE");
    if (!decoder.ok() || !encoder.ok()) {
        std::cerr << "the C library has no GB18030 converter\n";
        return 1;
    }
    Tables tables;
    readTwoByteTable(decoder, tables);
    readFourByteRuns(decoder, tables);
    if (!checkEncoder(encoder, tables))
        return 1;
    std::ofstream out(argv[1], std::ios::trunc);
    writeTables(out, tables);
    return out.good() ? 0 : 1;
}
