#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorstat {

// The standard alphabet without "=" fill characters: a trailing single byte gives two
// characters, two trailing bytes give three.
std::string Base64Encode(std::string_view bytes);
// Trailing "=" are ignored; none for a character outside the alphabet or a lone last character.
std::optional<std::string> Base64Decode(std::string_view text);

}  // namespace quorstat
