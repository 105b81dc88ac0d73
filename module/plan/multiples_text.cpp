#include "plan/multiples_text.h"

#include <algorithm>
#include <limits>

#include "net/reply_text.h"

namespace quorstat {

namespace {

constexpr std::uint64_t kUInt32Max = std::numeric_limits<std::uint32_t>::max();

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The value of the leading digits, saturated a little above 32 bits so long runs cannot wrap.
std::uint64_t leadingDigits(std::string_view text, std::size_t& used) {
    std::uint64_t value = 0;
    used = 0;
    while (used < text.size() && isDigit(text[used])) {
        value = std::min<std::uint64_t>(value * 10 + static_cast<unsigned>(text[used] - '0'),
                                        kUInt32Max + 1);
        ++used;
    }
    return value;
}

// The typed text with every separator written as "," and full-width digits as ASCII ones.
std::string plainSeparators(std::string_view text) {
    static constexpr std::string_view kFullWidthComma = "，";
    static constexpr std::string_view kFullWidthSpace = "\u3000";
    static constexpr std::string_view kFullWidthZero = "０";  // EF BC 90 .. EF BC 99
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const std::string_view rest = text.substr(i);
        if (rest.starts_with(kFullWidthComma) || rest.starts_with(kFullWidthSpace)) {
            out += ',';
            i += 3;
        } else if (rest.size() >= 3 && rest.substr(0, 2) == kFullWidthZero.substr(0, 2) &&
                   static_cast<unsigned char>(rest[2]) >= 0x90 &&
                   static_cast<unsigned char>(rest[2]) <= 0x99) {
            out += static_cast<char>('0' + (static_cast<unsigned char>(rest[2]) - 0x90));
            i += 3;
        } else {
            out += rest[0] == ' ' || rest[0] == '\t' ? ',' : rest[0];
            ++i;
        }
    }
    return out;
}

}  // namespace

std::vector<std::uint32_t> ParseMultiplesText(std::string_view text) {
    std::vector<std::uint32_t> multiples;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t used = 0;
        const std::uint64_t value = leadingDigits(text.substr(i), used);
        if (used == 0) {
            ++i;
            continue;
        }
        multiples.push_back(static_cast<std::uint32_t>(std::min(value, kUInt32Max)));
        i += used;
    }
    return multiples;
}

std::string JoinMultiples(const std::vector<std::uint32_t>& multiples) {
    std::string text;
    for (const std::uint32_t multiple : multiples) {
        if (!text.empty())
            text += ',';
        text += std::to_string(multiple);
    }
    return text;
}

MultiplesInput ParseModifyMultiples(std::string_view text, std::size_t targetCount) {
    MultiplesInput input;
    if (text.empty()) {
        input.message = "没有输入有效的字符";
        return input;
    }
    const std::string plain = plainSeparators(text);
    ForEachItem(plain, ',', SplitMode::Lenient, [&](std::string_view piece) {
        std::size_t used = 0;
        const std::uint64_t value = leadingDigits(piece, used);
        if (used > 0 && value <= kLargestTypedMultiple)
            input.values.push_back(static_cast<std::uint32_t>(value));
        return input.values.size() < targetCount;
    });
    if (input.values.empty()) {
        input.message = "没有输入有效的倍数";
        return input;
    }
    input.values.resize(targetCount, input.values.back());
    return input;
}

}  // namespace quorstat
