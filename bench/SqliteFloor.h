#pragma once

// The store's floors: saving and loading the same rows with SQLite's C API and plain C++,
// set up as the store sets up its connections, without any of Corvanta's code. What the
// store's paths take beyond these is what Corvanta's own layers cost (scripts/bench-ratios).

#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace SqliteFloor {

struct Row {
    std::int64_t pk;
    std::array<std::uint8_t, 16> id;
    std::int64_t date; // milliseconds since 1970
    double balance;
    double adjustment;
    double transfers;
    std::optional<std::string> note;
};

struct Connection {
    sqlite3* db = nullptr;
    explicit Connection(const std::string& path)
    {
        if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK) {
            sqlite3_close(db);
            db = nullptr;
        }
        // As the store's connections: WAL, durable commits, pages read from the mapped file,
        // the log copied back by the owner rather than inside a big commit.
        if (!exec("PRAGMA journal_mode = WAL; PRAGMA synchronous = FULL; PRAGMA mmap_size = 1073741824; PRAGMA wal_autocheckpoint = 0")) {
            sqlite3_close(db);
            db = nullptr;
        }
    }
    ~Connection() { sqlite3_close_v2(db); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    bool exec(const char* sql) const { return db && sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK; }
};

struct Statement {
    sqlite3_stmt* statement = nullptr;
    Statement(sqlite3* db, const std::string& sql) { sqlite3_prepare_v3(db, sql.c_str(), -1, SQLITE_PREPARE_PERSISTENT, &statement, nullptr); }
    ~Statement() { sqlite3_finalize(statement); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
};

// The same table as the store's.
inline bool createTable(const Connection& connection)
{
    return connection.exec("CREATE TABLE BalanceEntry (pk INTEGER PRIMARY KEY, id BLOB, date INTEGER, balance REAL DEFAULT 0,"
                           " adjustment REAL DEFAULT 0, transfers REAL DEFAULT 0, note TEXT)");
}

// Every row in one transaction, `rowsPerInsert` rows to a statement (as the store writes).
template <class Entry>
bool insertAll(const Connection& connection, const std::vector<Entry>& entries, std::size_t rowsPerInsert)
{
    const auto insertOf = [&](std::size_t rows) {
        std::string sql = "INSERT INTO BalanceEntry (pk, id, date, balance, adjustment, transfers, note) VALUES ";
        for (std::size_t row = 0; row < rows; ++row)
            sql += row == 0 ? "(?,?,?,?,?,?,?)" : ",(?,?,?,?,?,?,?)";
        return std::make_unique<Statement>(connection.db, sql);
    };
    const auto many = insertOf(rowsPerInsert);
    const auto one = insertOf(1);
    if (!many->statement || !one->statement || !connection.exec("BEGIN IMMEDIATE"))
        return false;
    for (std::size_t first = 0; first < entries.size();) {
        sqlite3_stmt* insert = entries.size() - first >= rowsPerInsert ? many->statement : one->statement;
        const std::size_t rows = insert == many->statement ? rowsPerInsert : 1;
        for (std::size_t row = 0; row < rows; ++row, ++first) {
            const Entry& entry = entries[first];
            const int column = static_cast<int>(row) * 7;
            sqlite3_bind_int64(insert, column + 1, static_cast<sqlite3_int64>(first + 1));
            sqlite3_bind_blob(insert, column + 2, entry.id.data(), static_cast<int>(entry.id.size()), SQLITE_STATIC);
            sqlite3_bind_int64(insert, column + 3, entry.date);
            sqlite3_bind_double(insert, column + 4, entry.balance);
            sqlite3_bind_double(insert, column + 5, entry.adjustment);
            sqlite3_bind_double(insert, column + 6, entry.transfers);
            if (entry.note)
                sqlite3_bind_text(insert, column + 7, entry.note->data(), static_cast<int>(entry.note->size()), SQLITE_STATIC);
            else
                sqlite3_bind_null(insert, column + 7);
        }
        if (sqlite3_step(insert) != SQLITE_DONE)
            return false;
        sqlite3_reset(insert);
    }
    return connection.exec("COMMIT");
}

// Every row, then the rows in date order (ties by key): what a fetch sorted by date hands back.
inline std::optional<std::pair<std::vector<Row>, std::vector<const Row*>>> fetchAllByDate(const Connection& connection)
{
    Statement select(connection.db, "SELECT pk, id, date, balance, adjustment, transfers, note FROM BalanceEntry");
    if (!select.statement)
        return std::nullopt;
    std::vector<Row> rows;
    if (Statement highest(connection.db, "SELECT max(pk) FROM BalanceEntry"); highest.statement && sqlite3_step(highest.statement) == SQLITE_ROW)
        rows.reserve(static_cast<std::size_t>(sqlite3_column_int64(highest.statement, 0)));
    int status;
    while ((status = sqlite3_step(select.statement)) == SQLITE_ROW) {
        sqlite3_stmt* s = select.statement;
        Row row{sqlite3_column_int64(s, 0), {}, sqlite3_column_int64(s, 2), sqlite3_column_double(s, 3), sqlite3_column_double(s, 4),
                sqlite3_column_double(s, 5), std::nullopt};
        if (const void* id = sqlite3_column_blob(s, 1); id && sqlite3_column_bytes(s, 1) == 16)
            std::copy_n(static_cast<const std::uint8_t*>(id), 16, row.id.begin());
        if (const unsigned char* note = sqlite3_column_text(s, 6))
            row.note.emplace(reinterpret_cast<const char*>(note), static_cast<std::size_t>(sqlite3_column_bytes(s, 6)));
        rows.push_back(std::move(row));
    }
    if (status != SQLITE_DONE)
        return std::nullopt;
    // Sorted as compact (date, position) keys, rows are read in key order (rows come in key order).
    std::vector<std::pair<std::int64_t, std::size_t>> keys;
    keys.reserve(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i)
        keys.emplace_back(rows[i].date, i);
    std::sort(keys.begin(), keys.end());
    std::vector<const Row*> byDate;
    byDate.reserve(rows.size());
    for (const auto& key : keys)
        byDate.push_back(&rows[key.second]);
    return std::pair(std::move(rows), std::move(byDate));
}

} // namespace SqliteFloor
