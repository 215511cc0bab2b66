#pragma once

#include "model/BalanceEntry.h"
#include "model/Result.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

// Which committed entries to read, and in which order.
struct StoredEntrySelection {
    enum class Order { OldestFirst, NewestFirst };
    Order order = Order::OldestFirst;
    // Only the first this many of that order.
    std::optional<std::int64_t> limit;
    // Only the entries with one of these ids (each entry once); all when empty.
    std::vector<Uuid> ids;
};

// The committed entries of the store file at `path`, one at a time, through a read-only
// connection of their own: by date (equal dates in the store's order, a missing date first),
// and never more than one row in memory here, so a listing of a million entries costs no more
// memory than one of ten. `row` returns false to stop early. A failed read is an error, also
// after some rows were handed out.
Result<void> readStoredEntries(const QString& path, const StoredEntrySelection& selection,
                               const std::function<bool(const BalanceEntry::Values&)>& row);
