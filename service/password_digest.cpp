#include "service/password_digest.h"

#include <openssl/evp.h>

#include <stdexcept>

namespace quorstat::service {

std::string PasswordDigest(std::string_view ansiPassword) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (EVP_Digest(ansiPassword.data(), ansiPassword.size(), digest, &length, EVP_md5(), nullptr) !=
            1 ||
        length != 16)
        throw std::runtime_error("MD5 is not available");
    static constexpr char kHex[] = "0123456789abcdef";
    std::string text;
    for (unsigned int i = 4; i < 12; ++i) {
        text.push_back(kHex[digest[i] >> 4]);
        text.push_back(kHex[digest[i] & 0x0F]);
    }
    return text;
}

}  // namespace quorstat::service
