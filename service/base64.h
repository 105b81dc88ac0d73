#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorstat::service {

// Standard alphabet; the client leaves out the "=" fill, so it is optional here. Nothing is
// returned for a character outside the alphabet or a last group of a single character.
std::optional<std::string> base64Decode(std::string_view text);

}  // namespace quorstat::service
