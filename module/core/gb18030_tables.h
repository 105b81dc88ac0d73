#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace quorstat::gb18030 {

// Tables of the GB18030 converter, written at build time from the C library's converter by
// gb18030_table_generator.cpp.

// Two-byte characters: lead byte 0x81..0xFE, trail byte 0x40..0x7E or 0x80..0xFE.
inline constexpr unsigned kTrailsPerLead = 190;
inline constexpr std::size_t kTwoByteCount = 126 * kTrailsPerLead;

// Four-byte sequences b1 b2 b3 b4 (0x81..0xFE, 0x30..0x39, 0x81..0xFE, 0x30..0x39) are counted
// from 81 30 81 30 upwards; from 90 30 81 30 on they stand for U+10000 onwards in order.
inline constexpr std::uint32_t kSupplementaryFirstLinear = 189000;

// Consecutive four-byte sequences that stand for consecutive characters of the first plane.
struct FourByteRun {
    std::uint32_t linear;
    char32_t codePoint;
    std::uint32_t length;
};

// The few characters beyond the first plane that have a two-byte form.
struct SupplementaryTwoByte {
    char32_t codePoint;
    std::uint16_t code;
};

// Indexed by (lead - 0x81) * 190 + trail position; 0 where the sequence stands for nothing.
extern const char32_t kTwoByteToUnicode[kTwoByteCount];
// The two-byte form (lead << 8 | trail) of each character of the first plane; 0 where none.
extern const std::uint16_t kBmpToTwoByte[0x10000];

std::span<const FourByteRun> fourByteRunsByLinear();
std::span<const FourByteRun> fourByteRunsByCodePoint();
std::span<const SupplementaryTwoByte> supplementaryTwoByte();

}  // namespace quorstat::gb18030
