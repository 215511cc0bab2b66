#pragma once

#include "analytics/StatsInput.h"
#include "automation/BalanceEntryEntity.h"
#include "model/BalanceEntry.h"
#include "model/PersistenceController.h"
#include "model/Result.h"

#include <vector>

class PersistentContainer;

// How the command line and the desktop actions reach the store. Every call opens a fresh
// background context of `container`, does all its work inside it and hands back plain values
// only; it never touches the main context. Reads that fail give empty lists.
namespace IntentsDataProvider {
inline PersistentContainer& sharedContainer() { return PersistenceController::shared().container(); }

// Every entry, ascending by date.
std::vector<StatsInput> statsInputs(PersistentContainer& container = sharedContainer());
std::vector<BalanceEntryEntity> allEntities(PersistentContainer& container = sharedContainer());
// The entries whose id is in `ids`, ascending by date, each once; ids that match nothing
// are skipped, entries without an id never match.
std::vector<BalanceEntryEntity> entities(const std::vector<Uuid>& ids, PersistentContainer& container = sharedContainer());
// Adds a new entry through the shared verb (fresh id; an empty note stores no note; non-finite
// amounts refused) and saves it. On a failed save nothing is stored and the error is returned.
Result<BalanceEntryEntity> addEntry(BalanceEntry::Values values, PersistentContainer& container = sharedContainer());
} // namespace IntentsDataProvider
