#include "model/store/CachedStatement.h"

#include <utility>

Result<SqliteStatement*> CachedStatement::get(SqliteDatabase& database, const char* sql)
{
    if (!statement_) {
        auto prepared = SqliteStatement::prepare(database, sql);
        if (!prepared)
            return prepared.error();
        statement_.emplace(std::move(prepared).value());
    }
    return &*statement_;
}

Result<void> run(SqliteStatement& statement)
{
    auto done = statement.step();
    statement.reset();
    if (!done)
        return done.error();
    return {};
}
