#include "service/statement.h"

#include <sqlite3.h>

#include <stdexcept>
#include <utility>

namespace quorstat::service {

Statement::Statement(sqlite3* db, std::string_view sql) : db_(db) {
    check(sqlite3_prepare_v2(db_, sql.data(), static_cast<int>(sql.size()), &statement_, nullptr));
}

Statement::~Statement() {
    sqlite3_finalize(statement_);
}

Statement::Statement(Statement&& other) noexcept
    : db_(other.db_), statement_(std::exchange(other.statement_, nullptr)) {}

bool Statement::step() {
    const int result = sqlite3_step(statement_);
    if (result == SQLITE_ROW)
        return true;
    if (result == SQLITE_DONE)
        return false;
    check(result);
    return false;
}

void Statement::run() {
    while (step()) {
    }
}

void Statement::reset() {
    sqlite3_reset(statement_);
    sqlite3_clear_bindings(statement_);
}

std::int64_t Statement::integer(int column) const {
    return sqlite3_column_int64(statement_, column);
}

double Statement::real(int column) const {
    return sqlite3_column_double(statement_, column);
}

std::string Statement::text(int column) const {
    const auto* data = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
    if (data == nullptr)
        return {};
    return std::string(data, static_cast<std::size_t>(sqlite3_column_bytes(statement_, column)));
}

bool Statement::isNull(int column) const {
    return sqlite3_column_type(statement_, column) == SQLITE_NULL;
}

void Statement::bindNull(int index) {
    check(sqlite3_bind_null(statement_, index));
}

void Statement::bindInteger(int index, std::int64_t value) {
    check(sqlite3_bind_int64(statement_, index, value));
}

void Statement::bindReal(int index, double value) {
    check(sqlite3_bind_double(statement_, index, value));
}

void Statement::bindText(int index, std::string_view value) {
    check(sqlite3_bind_text(statement_, index, value.data(), static_cast<int>(value.size()),
                            SQLITE_TRANSIENT));
}

void Statement::check(int result) const {
    if (result != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(db_));
}

}  // namespace quorstat::service
