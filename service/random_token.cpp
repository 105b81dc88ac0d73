#include "service/random_token.h"

#include <openssl/rand.h>

#include <stdexcept>
#include <vector>

namespace quorstat::service {

std::string randomToken(std::size_t bytes) {
    std::vector<unsigned char> random(bytes);
    if (RAND_bytes(random.data(), static_cast<int>(random.size())) != 1)
        throw std::runtime_error("no random bytes");
    static constexpr char kHex[] = "0123456789abcdef";
    std::string token;
    for (const unsigned char byte : random) {
        token.push_back(kHex[byte >> 4]);
        token.push_back(kHex[byte & 0x0F]);
    }
    return token;
}

}  // namespace quorstat::service
