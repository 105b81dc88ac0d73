#pragma once

#include <cstddef>
#include <string>

namespace quorstat::service {

// `bytes` random bytes from OpenSSL as lowercase hexadecimal digits: session tokens, the control
// token and password salts.
std::string randomToken(std::size_t bytes);

}  // namespace quorstat::service
