#pragma once

#include "model/Result.h"
#include "model/store/SqliteDatabase.h"
#include "model/StoreLocation.h"

#include <memory>

// Opening connections to a store.
namespace StoreConnection {

// The first connection: checks an existing file without writing to it (a file that is not
// Corvanta's store, is damaged, unreadable, read-only or newer is reported and left byte for
// byte as it was), creates a missing one, sets WAL and brings the schema up to date.
Result<std::unique_ptr<SqliteDatabase>> openStore(const StoreLocation& location);
// A further connection to a store already opened.
Result<std::unique_ptr<SqliteDatabase>> connect(const StoreLocation& location);

} // namespace StoreConnection
