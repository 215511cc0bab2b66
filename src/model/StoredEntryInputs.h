#pragma once

#include "analytics/StatsInput.h"
#include "model/BalanceEntry.h"
#include "model/Result.h"

#include <QString>

#include <vector>

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
