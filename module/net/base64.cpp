#include "net/base64.h"

#include <array>
#include <cstdint>

namespace quorstat {
namespace {

constexpr std::string_view kAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

constexpr std::array<std::int8_t, 256> decodeTable() {
    std::array<std::int8_t, 256> table{};
    table.fill(-1);
    for (std::size_t i = 0; i < kAlphabet.size(); ++i)
        table[static_cast<unsigned char>(kAlphabet[i])] = static_cast<std::int8_t>(i);
    return table;
}

constexpr auto kDecode = decodeTable();

}  // namespace

std::string Base64Encode(std::string_view bytes) {
    std::string text;
    text.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t group = std::min<std::size_t>(3, bytes.size() - i);
        std::uint32_t bits = 0;
        for (std::size_t k = 0; k < 3; ++k)
            bits = bits << 8 | (k < group ? static_cast<unsigned char>(bytes[i + k]) : 0u);
        for (std::size_t k = 0; k <= group; ++k)
            text += kAlphabet[bits >> (18 - 6 * k) & 0x3F];
    }
    return text;
}

std::optional<std::string> Base64Decode(std::string_view text) {
    while (text.ends_with('='))
        text.remove_suffix(1);
    if (text.size() % 4 == 1)
        return std::nullopt;
    std::string bytes;
    bytes.reserve(text.size() / 4 * 3 + 2);
    for (std::size_t i = 0; i < text.size(); i += 4) {
        const std::size_t group = std::min<std::size_t>(4, text.size() - i);
        std::uint32_t bits = 0;
        for (std::size_t k = 0; k < 4; ++k) {
            const int value = k < group ? kDecode[static_cast<unsigned char>(text[i + k])] : 0;
            if (value < 0)
                return std::nullopt;
            bits = bits << 6 | static_cast<std::uint32_t>(value);
        }
        for (std::size_t k = 0; k + 1 < group; ++k)
            bytes += static_cast<char>(bits >> (16 - 8 * k) & 0xFF);
    }
    return bytes;
}

}  // namespace quorstat
