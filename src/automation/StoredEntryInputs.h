#pragma once

#include "analytics/StatsInput.h"
#include "model/Result.h"

#include <QString>

#include <vector>

// The statistics snapshots of every committed entry of the store file at `path`, ascending by
// date (equal dates in the store's order), read through a read-only connection of their own
// without making an entry object per row: what a fresh background context's fetch converted
// with statsInputs() gives, at a fraction of the cost on a large store. A missing id becomes
// a fresh random one, a missing date the distant past.
//
// A verb the store layer lacks (it belongs next to ObjectContext's fetches, and its SQL in the
// store layer); it lives here until it moves there.
Result<std::vector<StatsInput>> readStoredStatsInputs(const QString& path);
