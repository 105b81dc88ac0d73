#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quorstat {

// UTF-8 inside the program; GB18030 (a superset of the ANSI code page GBK) at the borders.
std::string ToAnsi(std::string_view utf8);
std::string FromAnsi(std::string_view ansi);

// Length of a UTF-8 text in bytes of the ANSI code page, for limits given in such bytes.
std::size_t AnsiLength(std::string_view utf8);

// The longest start of a UTF-8 text whose ANSI form fits in maxBytes, never cutting a character.
std::string TruncateAnsi(std::string_view utf8, std::size_t maxBytes);

}  // namespace quorstat
