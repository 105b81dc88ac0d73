#include "net/session_fields.h"

#include "core/base64.h"
#include "core/text_codec.h"
#include "net/crypto_api.h"
#include "net/date_time.h"

namespace quorstat {

std::string BuildTimeToken(std::time_t now) {
    const std::string time = FormatDateTime(now);
    return "VF=" + EncodeBase64(time) + "&Ontime=" + time;
}

std::string PasswordDigest(std::string_view password) {
    const CryptoApi* crypto = Crypto();
    if (!crypto)
        return {};
    const std::string bytes = ToAnsi(password);
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    crypto->digest(bytes.data(), bytes.size(), digest, &length, crypto->md5(), nullptr);
    static constexpr char hex[] = "0123456789abcdef";
    std::string text;
    for (int i = 4; i < 12; ++i) {
        text += hex[digest[i] >> 4];
        text += hex[digest[i] & 0xF];
    }
    return text;
}

}  // namespace quorstat
