#pragma once

#include "model/Result.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>

struct sqlite3;

// One SQLite connection (RAII: closed on destruction). Not thread-safe: a connection is used by
// one context at a time, on that context's thread.
class SqliteDatabase {
public:
    enum class Mode { ReadOnly, ReadWrite, ReadWriteCreate };

    // `location` is a file path, or a "file:" URI (used for the in-process shared memory store).
    static Result<std::unique_ptr<SqliteDatabase>> open(const QString& location, Mode mode);

    ~SqliteDatabase();
    SqliteDatabase(const SqliteDatabase&) = delete;
    SqliteDatabase& operator=(const SqliteDatabase&) = delete;

    // Runs one or more statements that return no rows.
    Result<void> execute(const char* sql);
    // The first column of the first row of a query that returns one integer (PRAGMAs, counts).
    Result<long long> queryInteger(const char* sql);

    // The database file this connection opened (empty for a store in memory).
    QString fileName() const;
    long long lastInsertRowId() const;
    int changes() const;
    // The connection's last failure, its cause in words as message and reason ("the disk is
    // full"); the result code and `statement` go to the log. Callers say what failed around it.
    Error lastError(const char* statement) const;

    // Commits on this connection no longer copy the write-ahead log back into the database file
    // themselves (SQLite's automatic checkpoint, which would make a big save pay for writing
    // everything twice). `committed` learns the log's size in pages after each commit and
    // decides when checkpoint() runs. What sits in the log is already durable and visible to
    // every reader; only the log's size is at stake.
    void deferCheckpoints(std::function<void(int logPages)> committed);
    // Copies what it can of the log into the database file without waiting for readers or
    // writers (a passive checkpoint).
    Result<void> checkpoint();

    sqlite3* handle() const { return db_; }

    // A connection opened only to read because the store cannot be written (the disk is
    // full): a write refused for that is reported with `reason` rather than as read-only.
    void setReadOnlyBecause(QString reason) { readOnlyBecause_ = std::move(reason); }

private:
    explicit SqliteDatabase(sqlite3* db) : db_(db) {}
    sqlite3* db_;
    std::function<void(int)> committed_;
    QString readOnlyBecause_;
};
