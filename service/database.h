#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "service/statement.h"

struct sqlite3;

namespace quorstat::service {

// The service's SQLite file. Not thread-safe: the service uses it under its one lock.
class Database {
public:
    explicit Database(const std::string& path);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    void exec(const std::string& sql);
    template <class... Args>
    Statement query(std::string_view sql, const Args&... args) {
        Statement statement(db_, sql);
        statement.bindAll(args...);
        return statement;
    }
    std::int64_t lastInsertId() const;

    // Rolls back unless committed, so an exception never leaves half a change behind.
    class Transaction {
    public:
        explicit Transaction(Database& db);
        ~Transaction();
        Transaction(const Transaction&) = delete;
        Transaction& operator=(const Transaction&) = delete;
        void commit();

    private:
        Database& db_;
        bool open_ = true;
    };

private:
    sqlite3* db_ = nullptr;
};

}  // namespace quorstat::service
