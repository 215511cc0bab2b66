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
// Both open the store only to read, as it is, when `location.readOnlyBecause` says why.

// Why the existing store at `path` can only be read: preparing it for writing would create
// files beside it that its disk has no room for (and no log is there already). Empty when
// it can be written, or does not exist.
QString readOnlyReason(const QString& path);
// A connection that only reads the store at `path` and creates nothing beside it when its
// disk is full.
Result<std::unique_ptr<SqliteDatabase>> openForReading(const QString& path);

} // namespace StoreConnection
