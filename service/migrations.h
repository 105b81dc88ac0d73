#pragma once

namespace quorstat::service {

class Database;

// Brings the database up to the newest schema, one step per transaction; the step count is kept
// in SQLite's user_version. A database from a newer service is refused.
void migrate(Database& db);

}  // namespace quorstat::service
