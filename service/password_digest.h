#pragma once

#include <string>
#include <string_view>

namespace quorstat::service {

// The middle 16 lowercase hexadecimal digits of the MD5 digest of the password's bytes in the
// client's code page (GB18030): what the client sends as "Password" and what the service stores.
std::string PasswordDigest(std::string_view ansiPassword);

}  // namespace quorstat::service
