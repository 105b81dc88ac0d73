#include "service/account_store.h"

#include <stdexcept>

#include "core/text_codec.h"
#include "service/database.h"
#include "service/password_digest.h"
#include "service/password_hasher.h"
#include "service/random_token.h"
#include "service/service_clock.h"

namespace quorstat::service {
namespace {

constexpr std::size_t kMaxNameBytes = 16;
constexpr std::size_t kMaxPasswordBytes = 20;
constexpr std::int64_t kEndedSessionsKeptSeconds = 7 * 86400;

// Names travel unencoded in bodies and are written into replies, so no separator of either may
// appear in them; the limits are the login dialog's.
void checkName(std::string_view name) {
    if (name.empty() || AnsiLength(name) > kMaxNameBytes)
        throw std::invalid_argument("a user name needs 1 to 16 bytes in GB18030");
    for (const char c : name)
        if (static_cast<unsigned char>(c) <= ' ' ||
            std::string_view("|$#&=").find(c) != std::string_view::npos)
            throw std::invalid_argument("a user name may not hold blanks or any of | $ # & =");
}

void checkPassword(std::string_view password) {
    if (password.empty() || AnsiLength(password) > kMaxPasswordBytes)
        throw std::invalid_argument("a password needs 1 to 20 bytes in GB18030");
}

constexpr std::string_view kSelectUser =
    "SELECT id, name, manager, plan_tail, custom_tail, custom_tail_short FROM users ";

std::optional<UserRecord> readUser(Statement row) {
    if (!row.step())
        return std::nullopt;
    return UserRecord{row.integer(0),
                      row.text(1),
                      row.integer(2) != 0,
                      static_cast<int>(row.integer(3)),
                      static_cast<int>(row.integer(4)),
                      static_cast<int>(row.integer(5))};
}

SessionState endedState(std::string_view reason) {
    if (reason == "takeover")
        return SessionState::TakenOver;
    if (reason == "logout")
        return SessionState::LoggedOut;
    return SessionState::TimedOut;
}

}  // namespace

AccountStore::AccountStore(Database& db, const ServiceClock& clock, const PasswordHasher& passwords,
                           std::int64_t idleSeconds)
    : db_(db), clock_(clock), passwords_(passwords), idleSeconds_(idleSeconds) {}

std::int64_t AccountStore::addUser(std::string_view name, std::string_view password, bool manager) {
    checkName(name);
    checkPassword(password);
    if (findUser(name))
        throw std::invalid_argument("the user name is taken");
    db_.query("INSERT INTO users (name, password_hash, manager) VALUES (?1, ?2, ?3)", name,
              passwords_.hash(PasswordDigest(ToAnsi(password))), manager)
        .run();
    return db_.lastInsertId();
}

std::optional<UserRecord> AccountStore::findUser(std::string_view name) const {
    return readUser(db_.query(std::string(kSelectUser) + "WHERE name = ?1", name));
}

std::optional<UserRecord> AccountStore::findUserById(std::int64_t id) const {
    return readUser(db_.query(std::string(kSelectUser) + "WHERE id = ?1", id));
}

std::string AccountStore::passwordHash(std::int64_t userId) const {
    Statement stored = db_.query("SELECT password_hash FROM users WHERE id = ?1", userId);
    return stored.step() ? stored.text(0) : std::string();
}

SessionUser AccountStore::openSession(const UserRecord& user) {
    const std::int64_t now = realSeconds();
    db_.query("DELETE FROM sessions WHERE last_seen_at < ?1", now - kEndedSessionsKeptSeconds)
        .run();
    db_.query(
           "UPDATE sessions SET end_reason = 'takeover' WHERE user_id = ?1 AND end_reason IS NULL",
           user.id)
        .run();
    SessionUser session{user.id, user.name, user.manager, randomToken(16), now};
    db_.query(
           "INSERT INTO sessions (token, user_id, started_at, last_seen_at) "
           "VALUES (?1, ?2, ?3, ?3)",
           session.token, user.id, now)
        .run();
    return session;
}

SessionCheck AccountStore::check(std::string_view userName, std::string_view token) {
    Statement row = db_.query(
        "SELECT s.user_id, u.name, u.manager, s.started_at, s.last_seen_at, s.end_reason "
        "FROM sessions s JOIN users u ON u.id = s.user_id WHERE s.token = ?1",
        token);
    if (!row.step() || row.text(1) != userName)
        return {};
    if (!row.isNull(5))
        return {endedState(row.text(5)), std::nullopt};
    const std::int64_t now = realSeconds();
    if (now - row.integer(4) > idleSeconds_) {
        db_.query("UPDATE sessions SET end_reason = 'idle' WHERE token = ?1", token).run();
        return {SessionState::TimedOut, std::nullopt};
    }
    db_.query("UPDATE sessions SET last_seen_at = ?1 WHERE token = ?2", now, token).run();
    addOnlineTime(row.integer(0), now - row.integer(4));
    return {SessionState::Active, SessionUser{row.integer(0), row.text(1), row.integer(2) != 0,
                                              std::string(token), row.integer(3)}};
}

void AccountStore::logout(const SessionUser& session) {
    db_.query("UPDATE sessions SET end_reason = 'logout' WHERE token = ?1", session.token).run();
}

int AccountStore::usersOnline() const {
    Statement count = db_.query(
        "SELECT COUNT(DISTINCT user_id) FROM sessions "
        "WHERE end_reason IS NULL AND last_seen_at >= ?1",
        realSeconds() - idleSeconds_);
    count.step();
    return static_cast<int>(count.integer(0));
}

std::int64_t AccountStore::onlineSeconds(const SessionUser& session) const {
    return realSeconds() - session.startedAt;
}

// Real seconds online count towards the service-clock day they are noticed on, so that the
// online rankings follow the virtual clock like everything else.
void AccountStore::addOnlineTime(std::int64_t userId, std::int64_t seconds) {
    if (seconds <= 0)
        return;
    db_.query(
           "INSERT INTO online_days (user_id, day, seconds) VALUES (?1, ?2, ?3) "
           "ON CONFLICT (user_id, day) DO UPDATE SET seconds = seconds + excluded.seconds",
           userId, dayStart(clock_.now()), seconds)
        .run();
}

std::int64_t AccountStore::realSeconds() const {
    return clock_.realMillis() / 1000;
}

}  // namespace quorstat::service
