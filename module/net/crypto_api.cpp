#include "net/crypto_api.h"

#include "core/loaded_api.h"

namespace quorstat {

bool CryptoApi::resolve(const SharedLibrary& library) {
    return library.resolve(digest, "EVP_Digest") && library.resolve(md5, "EVP_md5");
}

const CryptoApi* Crypto() {
    static const LoadedApi<CryptoApi> crypto("libcrypto.so.3");
    return crypto.get();
}

}  // namespace quorstat
