#include "model/store/SqliteTransaction.h"

#include "model/store/SqliteDatabase.h"

#include <utility>

Result<SqliteTransaction> SqliteTransaction::begin(SqliteDatabase& database)
{
    auto begun = database.execute("BEGIN IMMEDIATE");
    if (!begun)
        return begun.error();
    return SqliteTransaction(&database);
}

SqliteTransaction::SqliteTransaction(SqliteTransaction&& other) noexcept
    : database_(std::exchange(other.database_, nullptr))
{
}

SqliteTransaction::~SqliteTransaction()
{
    if (database_)
        (void)database_->execute("ROLLBACK");
}

Result<void> SqliteTransaction::commit()
{
    auto committed = database_->execute("COMMIT");
    if (!committed)
        return committed; // still open: the destructor rolls back
    database_ = nullptr;
    return {};
}
