#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

struct sqlite3;
struct sqlite3_stmt;

namespace quorstat::service {

// One prepared SQLite statement; parameters are numbered from 1, columns from 0.
class Statement {
public:
    Statement(sqlite3* db, std::string_view sql);
    ~Statement();
    Statement(Statement&& other) noexcept;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    Statement& operator=(Statement&&) = delete;

    template <class T>
    Statement& bind(int index, const T& value) {
        if constexpr (std::is_same_v<T, std::nullptr_t>)
            bindNull(index);
        else if constexpr (std::is_integral_v<T>)
            bindInteger(index, static_cast<std::int64_t>(value));
        else if constexpr (std::is_floating_point_v<T>)
            bindReal(index, static_cast<double>(value));
        else
            bindText(index, std::string_view(value));
        return *this;
    }
    template <class... Args>
    Statement& bindAll(const Args&... args) {
        int index = 0;
        (bind(++index, args), ...);
        return *this;
    }

    // True while a row is ready to be read.
    bool step();
    // Runs a statement that returns no rows.
    void run();
    // Makes the statement ready to be bound and run again.
    void reset();

    std::int64_t integer(int column) const;
    double real(int column) const;
    std::string text(int column) const;
    bool isNull(int column) const;

private:
    void bindNull(int index);
    void bindInteger(int index, std::int64_t value);
    void bindReal(int index, double value);
    void bindText(int index, std::string_view value);
    void check(int result) const;

    sqlite3* db_;
    sqlite3_stmt* statement_ = nullptr;
};

}  // namespace quorstat::service
