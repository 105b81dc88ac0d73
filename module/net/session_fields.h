#pragma once

#include <ctime>
#include <string>
#include <string_view>

namespace quorstat {

// "VF=" + Base64(t) + "&Ontime=" + t, with t the local time "%Y-%m-%d %H:%M:%S".
std::string BuildTimeToken(std::time_t now);

// The middle 16 lowercase hexadecimal digits of the MD5 of the password's ANSI bytes.
std::string PasswordDigest(std::string_view password);

}  // namespace quorstat
