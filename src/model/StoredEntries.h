#pragma once

#include "analytics/StatsInput.h"
#include "analytics/Uuid.h"
#include "model/BalanceEntry.h"
#include "model/Result.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

// The committed entries of the store file at `path`, read through a read-only connection of
// their own without making an entry object per row (much cheaper than a context's fetch on a
// large store).

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

// The snapshots the portfolio figures need, of every committed entry of the store file at
// `path`, ascending by date (equal dates in the store's order), read through a read-only
// connection of their own without making an entry object per row: the dates and amounts a
// fresh background context's fetch gives, at a fraction of the cost on a large store. A
// missing date is the distant past. The ids are not read: every snapshot carries the nil
// UUID, so these snapshots are for computing figures, never for naming entries.
Result<std::vector<StatsInput>> readStoredStatsInputs(const QString& path);

// The values of every committed entry of the store file at `path` without their ids, in the
// store's order, read the same way (for comparing rows about to be imported with them).
Result<std::vector<BalanceEntry::Values>> readStoredEntryValues(const QString& path);
