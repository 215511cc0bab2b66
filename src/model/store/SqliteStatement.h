#pragma once

#include "model/Result.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

struct sqlite3_stmt;
class SqliteDatabase;

// A prepared statement (RAII: finalized on destruction; movable, not copyable). Parameters and
// columns are numbered as SQLite numbers them (parameters from 1, columns from 0).
class SqliteStatement {
public:
    static Result<SqliteStatement> prepare(SqliteDatabase& database, const char* sql);

    SqliteStatement(SqliteStatement&& other) noexcept;
    SqliteStatement& operator=(SqliteStatement&& other) noexcept;
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;
    ~SqliteStatement();

    // Bound values must stay alive until the statement is reset (they are not copied).
    void bindNull(int index);
    void bindInt64(int index, std::int64_t value);
    void bindDouble(int index, double value);
    void bindBlob(int index, std::span<const std::uint8_t> bytes);
    void bindText(int index, const QString& text);

    // One step: true when a row is available, false when done; an error otherwise.
    Result<bool> step();
    // Ready to run again (ends the statement's read, so a connection never pins an old snapshot).
    void reset();

    std::int64_t columnInt64(int column) const;
    std::optional<std::int64_t> columnOptionalInt64(int column) const; // NULL: nothing
    double columnDouble(int column) const;                             // NULL: NaN
    std::span<const std::uint8_t> columnBlob(int column) const;
    std::optional<QString> columnOptionalText(int column) const; // NULL: nothing

private:
    SqliteStatement(sqlite3_stmt* statement, SqliteDatabase* database) : statement_(statement), database_(database) {}
    sqlite3_stmt* statement_ = nullptr;
    SqliteDatabase* database_ = nullptr;
    // bindText's UTF-8 per parameter, reused from row to row (on the heap: a move keeps it
    // where SQLite points).
    std::vector<std::vector<char>> textBuffers_;
};
