#include "core/base64.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace quorstat {
namespace {

constexpr std::string_view kAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr std::int8_t kInvalid = -1;

constexpr std::array<std::int8_t, 256> makeDecodeTable() {
    std::array<std::int8_t, 256> table{};
    table.fill(kInvalid);
    for (std::size_t i = 0; i < kAlphabet.size(); ++i)
        table[static_cast<unsigned char>(kAlphabet[i])] = static_cast<std::int8_t>(i);
    return table;
}

constexpr auto kDecodeTable = makeDecodeTable();

}  // namespace

std::string EncodeBase64(std::string_view bytes) {
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t groupSize = std::min<std::size_t>(3, bytes.size() - i);
        std::uint32_t group = 0;
        for (std::size_t j = 0; j < 3; ++j)
            group = (group << 8) | (j < groupSize ? static_cast<unsigned char>(bytes[i + j]) : 0u);
        for (std::size_t j = 0; j <= groupSize; ++j)
            out.push_back(kAlphabet[(group >> (18 - 6 * j)) & 0x3F]);
    }
    return out;
}

std::optional<std::string> DecodeBase64(std::string_view text) {
    while (!text.empty() && text.back() == '=')
        text.remove_suffix(1);
    if (text.size() % 4 == 1)
        return std::nullopt;
    std::string out;
    out.reserve(text.size() / 4 * 3 + 2);
    for (std::size_t i = 0; i < text.size(); i += 4) {
        const std::size_t groupSize = std::min<std::size_t>(4, text.size() - i);
        std::uint32_t group = 0;
        for (std::size_t j = 0; j < 4; ++j) {
            const int value =
                j < groupSize ? kDecodeTable[static_cast<unsigned char>(text[i + j])] : 0;
            if (value == kInvalid)
                return std::nullopt;
            group = (group << 6) | static_cast<std::uint32_t>(value);
        }
        for (std::size_t j = 0; j + 1 < groupSize; ++j)
            out.push_back(static_cast<char>((group >> (16 - 8 * j)) & 0xFF));
    }
    return out;
}

}  // namespace quorstat
