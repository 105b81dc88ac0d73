#pragma once

namespace quorstat::service {

class Database;
class PasswordHasher;

// Brings the database up to the newest schema, one step per transaction; the step count is kept
// in SQLite's user_version. A database from a newer service is refused. Passwords stored by an
// older service are hashed with `passwords`.
void migrate(Database& db, const PasswordHasher& passwords);

}  // namespace quorstat::service
