#pragma once

#include "model/Result.h"

class SqliteDatabase;

// The store's tables and their versions. PRAGMA user_version holds the schema version and
// PRAGMA application_id marks the file as Corvanta's object model; each version step is one
// migration, run inside one write transaction.
namespace StoreSchema {

inline constexpr long long currentVersion = 2;
inline constexpr long long applicationId = 0x43525654; // "CRVT"

// Checks, reading only, that an existing store is one this build can open.
Result<void> inspect(SqliteDatabase& database, const QString& location);
// Brings a new or older store to the current version.
Result<void> migrate(SqliteDatabase& database);

} // namespace StoreSchema
