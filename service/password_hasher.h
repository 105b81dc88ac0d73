#pragma once

#include <mutex>
#include <string>
#include <string_view>

namespace quorstat::service {

// How the service keeps passwords: a salted PBKDF2-HMAC-SHA512 of the digest the client sends,
// stored as "pbkdf2-sha512$ITERATIONS$SALT$HASH" (hexadecimal), so that a copy of the database
// neither logs in as anyone nor shows who shares a password. Thread-safe: logins check passwords
// outside the service lock.
class PasswordHasher {
public:
    explicit PasswordHasher(int iterations);

    std::string hash(std::string_view clientDigest) const;
    // Compares in constant time; false for a stored text of another form.
    static bool verify(std::string_view clientDigest, std::string_view stored);
    // A stored text that no digest matches, checked in place of an unknown user's so that the
    // answer takes as long as for a known one.
    const std::string& decoy() const;

private:
    int iterations_;
    mutable std::once_flag decoyMade_;
    mutable std::string decoy_;
};

}  // namespace quorstat::service
