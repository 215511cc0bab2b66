#pragma once

#include <QString>

#include <sqlite3.h>

#include <string>

// SQL run on a store file through a connection of its own, as another program would: used to
// make the store refuse writes and to read what is committed.

// Runs `sql`; true when it succeeded.
inline bool execOnStore(const QString& path, const char* sql)
{
    sqlite3* db = nullptr;
    const bool ok = sqlite3_open(path.toUtf8().constData(), &db) == SQLITE_OK && sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

// Makes every new entry row fail with `reason` until the trigger is dropped.
inline bool refuseNewEntries(const QString& path, const std::string& reason = "refused")
{
    const std::string sql = "CREATE TRIGGER refuse BEFORE INSERT ON BalanceEntry BEGIN SELECT RAISE(ABORT, '" + reason + "'); END";
    return execOnStore(path, sql.c_str());
}

inline bool acceptNewEntries(const QString& path) { return execOnStore(path, "DROP TRIGGER refuse"); }

// The text of the first column of the first row of `query`, or "?" when there is none.
inline std::string queryStore(const QString& path, const char* query)
{
    sqlite3* db = nullptr;
    sqlite3_stmt* statement = nullptr;
    std::string text = "?";
    if (sqlite3_open(path.toUtf8().constData(), &db) == SQLITE_OK && sqlite3_prepare_v2(db, query, -1, &statement, nullptr) == SQLITE_OK
        && sqlite3_step(statement) == SQLITE_ROW && sqlite3_column_text(statement, 0))
        text = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return text;
}
