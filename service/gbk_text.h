#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorstat::service {

// The UTF-8 form of a GB18030 text, or nothing when any byte sequence in it is invalid or cut
// short: a request body is refused rather than guessed at.
std::optional<std::string> decodeGbkStrict(std::string_view ansi);

}  // namespace quorstat::service
