#pragma once

#include <openssl/evp.h>

namespace quorstat {

class SharedLibrary;

// The libcrypto functions of the password digest, from the library opened at the first login:
// linked, it would load before the login dialog shows.
struct CryptoApi {
    decltype(&EVP_Digest) digest = nullptr;
    decltype(&EVP_md5) md5 = nullptr;

    bool resolve(const SharedLibrary& library);
};

// libcrypto, opened on the first call; null when it cannot be loaded.
const CryptoApi* Crypto();

}  // namespace quorstat
