#pragma once

#include "model/Result.h"

class SqliteDatabase;

// A write transaction (BEGIN IMMEDIATE: the write lock is taken up front, so two writers queue
// on the busy timeout instead of failing half-way). Rolls back on destruction unless committed.
class SqliteTransaction {
public:
    static Result<SqliteTransaction> begin(SqliteDatabase& database);

    SqliteTransaction(SqliteTransaction&& other) noexcept;
    SqliteTransaction& operator=(SqliteTransaction&&) = delete;
    SqliteTransaction(const SqliteTransaction&) = delete;
    SqliteTransaction& operator=(const SqliteTransaction&) = delete;
    ~SqliteTransaction();

    Result<void> commit();

private:
    explicit SqliteTransaction(SqliteDatabase* database) : database_(database) {}
    SqliteDatabase* database_;
};
