#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorstat {

// Base64 with the standard alphabet and without "=" fill characters: a last group of one byte
// gives two characters, of two bytes three.
std::string EncodeBase64(std::string_view bytes);

// Accepts trailing "=" and a short last group of two or three characters; any character outside
// the alphabet, or a last group of one character, gives nothing.
std::optional<std::string> DecodeBase64(std::string_view text);

}  // namespace quorstat
