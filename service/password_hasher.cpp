#include "service/password_hasher.h"

#include <fmt/format.h>
#include <openssl/crypto.h>
#include <openssl/evp.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>
#include <stdexcept>

#include "service/random_token.h"

namespace quorstat::service {
namespace {

constexpr std::string_view kScheme = "pbkdf2-sha512";
constexpr std::size_t kSaltBytes = 16;
constexpr std::size_t kHashBytes = 32;

std::string toHex(const unsigned char* bytes, std::size_t count) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        text.push_back(kHex[bytes[i] >> 4]);
        text.push_back(kHex[bytes[i] & 0x0F]);
    }
    return text;
}

std::string derive(std::string_view clientDigest, std::string_view salt, int iterations) {
    std::array<unsigned char, kHashBytes> key{};
    if (PKCS5_PBKDF2_HMAC(clientDigest.data(), static_cast<int>(clientDigest.size()),
                          reinterpret_cast<const unsigned char*>(salt.data()),
                          static_cast<int>(salt.size()), iterations, EVP_sha512(),
                          static_cast<int>(key.size()), key.data()) != 1)
        throw std::runtime_error("PBKDF2 is not available");
    return toHex(key.data(), key.size());
}

struct StoredHash {
    int iterations = 0;
    std::string_view salt;
    std::string_view hash;
};

std::optional<StoredHash> parse(std::string_view stored) {
    std::array<std::string_view, 4> parts;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const std::size_t end = i + 1 < parts.size() ? stored.find('$') : stored.size();
        if (end == std::string_view::npos)
            return std::nullopt;
        parts[i] = stored.substr(0, end);
        stored.remove_prefix(std::min(end + 1, stored.size()));
    }
    StoredHash parsed{0, parts[2], parts[3]};
    const auto [end, error] =
        std::from_chars(parts[1].data(), parts[1].data() + parts[1].size(), parsed.iterations);
    if (parts[0] != kScheme || error != std::errc() || end != parts[1].data() + parts[1].size() ||
        parsed.iterations < 1 || parsed.hash.size() != 2 * kHashBytes)
        return std::nullopt;
    return parsed;
}

}  // namespace

PasswordHasher::PasswordHasher(int iterations) : iterations_(iterations) {
    if (iterations < 1)
        throw std::invalid_argument("PBKDF2 needs at least one iteration");
}

// The salt is kept as its hexadecimal text and used as such.
std::string PasswordHasher::hash(std::string_view clientDigest) const {
    const std::string salt = randomToken(kSaltBytes);
    return fmt::format("{}${}${}${}", kScheme, iterations_, salt,
                       derive(clientDigest, salt, iterations_));
}

bool PasswordHasher::verify(std::string_view clientDigest, std::string_view stored) {
    const std::optional<StoredHash> parsed = parse(stored);
    if (!parsed)
        return false;
    const std::string computed = derive(clientDigest, parsed->salt, parsed->iterations);
    return CRYPTO_memcmp(computed.data(), parsed->hash.data(), computed.size()) == 0;
}

const std::string& PasswordHasher::decoy() const {
    std::call_once(decoyMade_, [this] { decoy_ = hash(randomToken(kSaltBytes)); });
    return decoy_;
}

}  // namespace quorstat::service
