#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/qq_send_config.h"

namespace quorstat {

// "qs.dat" and "qsc.dat", each holding one tagCONFIG_QQSEND.
inline constexpr std::uint32_t kSendConfigMagic = 0x01337A16;      // 20150806
inline constexpr std::uint32_t kSendConfigMagicJuly = 0x013379CB;  // 20150731
inline constexpr std::uint32_t kSendConfigMagicJune = 0x0133795F;  // 20150623

// Reads the current layout or one of the two older ones into `config`; fields a version lacks,
// and fields after the first fault, keep what they held. False when the magic is unknown.
bool ReadSendConfig(std::string_view bytes, tagCONFIG_QQSEND& config);
std::string WriteSendConfig(const tagCONFIG_QQSEND& config);

}  // namespace quorstat
