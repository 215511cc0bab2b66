#pragma once

#include "model/Result.h"
#include "model/store/SqliteStatement.h"

#include <optional>

class SqliteDatabase;

// A statement prepared on its first use and kept for the next ones.
class CachedStatement {
public:
    Result<SqliteStatement*> get(SqliteDatabase& database, const char* sql);

private:
    std::optional<SqliteStatement> statement_;
};

// Runs a statement that returns no rows and makes it ready for the next run.
Result<void> run(SqliteStatement& statement);

// Calls onRow for every row of a bound statement, then makes it ready for the next run.
template <class OnRow>
Result<void> forEachRow(SqliteStatement& statement, OnRow&& onRow)
{
    for (;;) {
        auto row = statement.step();
        if (!row || !row.value()) {
            statement.reset();
            if (!row)
                return row.error();
            return {};
        }
        onRow(statement);
    }
}
