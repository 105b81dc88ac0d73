#include "service/database.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <stdexcept>

namespace quorstat::service {
namespace {

// The database holds password hashes and session tokens, so only the service's user may read it;
// SQLite gives the -wal and -shm files it creates the database file's mode.
void restrictToOwner(const std::string& path) {
    const int file = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (file >= 0) {
        ::fchmod(file, 0600);
        ::close(file);
    }
    for (const char* suffix : {"-wal", "-shm", "-journal"})
        ::chmod((path + suffix).c_str(), 0600);
}

}  // namespace

Database::Database(const std::string& path) {
    restrictToOwner(path);
    if (sqlite3_open_v2(path.c_str(), &db_,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX,
                        nullptr) != SQLITE_OK) {
        const std::string message = db_ ? sqlite3_errmsg(db_) : "out of memory";
        sqlite3_close(db_);
        throw std::runtime_error("cannot open " + path + ": " + message);
    }
    sqlite3_busy_timeout(db_, 5000);
    exec("PRAGMA journal_mode = WAL; PRAGMA foreign_keys = ON; PRAGMA synchronous = NORMAL;");
}

Database::~Database() {
    sqlite3_close(db_);
}

void Database::exec(const std::string& sql) {
    char* error = nullptr;
    if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string message = error ? error : sqlite3_errmsg(db_);
        sqlite3_free(error);
        throw std::runtime_error(message);
    }
}

std::int64_t Database::lastInsertId() const {
    return sqlite3_last_insert_rowid(db_);
}

Database::Transaction::Transaction(Database& db) : db_(db) {
    db_.exec("BEGIN IMMEDIATE");
}

Database::Transaction::~Transaction() {
    if (open_)
        sqlite3_exec(db_.db_, "ROLLBACK", nullptr, nullptr, nullptr);
}

void Database::Transaction::commit() {
    db_.exec("COMMIT");
    open_ = false;
}

}  // namespace quorstat::service
