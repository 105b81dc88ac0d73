#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorstat::service {

class Database;
class PasswordHasher;
class ServiceClock;

struct UserRecord {
    std::int64_t id = 0;
    std::string name;
    bool manager = false;
    int planTail = 0;
    int customTail = 0;
    int customTailShort = 0;
};

struct SessionUser {
    std::int64_t id = 0;
    std::string name;
    bool manager = false;
    std::string token;
    std::int64_t startedAt = 0;  // real seconds
};

enum class SessionState { Active, Unknown, TakenOver, LoggedOut, TimedOut };

struct SessionCheck {
    SessionState state = SessionState::Unknown;
    std::optional<SessionUser> user;  // while Active
};

// Users and their sessions. Sessions live in real time, whatever the service clock does: a user
// is online while he keeps asking, and a session unused for the idle limit has ended.
class AccountStore {
public:
    AccountStore(Database& db, const ServiceClock& clock, const PasswordHasher& passwords,
                 std::int64_t idleSeconds);

    // Throws std::invalid_argument for an unusable name or password or a name already taken.
    std::int64_t addUser(std::string_view name, std::string_view password, bool manager);
    std::optional<UserRecord> findUser(std::string_view name) const;
    std::optional<UserRecord> findUserById(std::int64_t id) const;

    // What PasswordHasher::verify checks the digest the client sends against.
    std::string passwordHash(std::int64_t userId) const;
    // A new session, ending the one the user had.
    SessionUser openSession(const UserRecord& user);
    SessionCheck check(std::string_view userName, std::string_view token);
    void logout(const SessionUser& session);

    int usersOnline() const;
    std::int64_t onlineSeconds(const SessionUser& session) const;

private:
    std::int64_t realSeconds() const;
    void addOnlineTime(std::int64_t userId, std::int64_t seconds);

    Database& db_;
    const ServiceClock& clock_;
    const PasswordHasher& passwords_;
    std::int64_t idleSeconds_;
};

}  // namespace quorstat::service
