#pragma once

#include "model/BalanceEntry.h"

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

class ManagedObject;

// Entries another context of the same store has just committed, made ready on that context's
// thread so that the main context takes them in without reading a million rows again (see
// ObjectContext::adoptCommitted): new objects of no context, holding the committed values.
struct CommittedEntries {
    // By row key; rowIds[i] is the key of byRowId[i].
    std::vector<std::shared_ptr<BalanceEntry>> byRowId;
    std::vector<std::int64_t> rowIds;
    // The same objects by date (no date first), equal dates by key: the fetch order by date.
    std::vector<std::shared_ptr<BalanceEntry>> byDate;
    // The same objects again, as the import's undo step names them (copyOf only: a Redo
    // already has its step).
    std::vector<std::shared_ptr<ManagedObject>> objects;

    // Copies of `stored`, the entries the committing context's last save stored (in any
    // order). Runs on that context's thread.
    static CommittedEntries copyOf(const std::vector<std::shared_ptr<BalanceEntry>>& stored);
    // The same for rows written back under their former keys (`keys[i]` is that of
    // `objects[i]`): the objects themselves, not copies. Runs off the UI thread while nothing
    // else touches them.
    static CommittedEntries restoring(const std::vector<std::shared_ptr<BalanceEntry>>& objects, const std::vector<std::int64_t>& keys);
};

// Stored entries leaving every view at once (see ObjectContext::replayInSteps): the objects,
// and their row keys as runs of consecutive keys, ascending.
struct DroppedEntries {
    std::vector<std::shared_ptr<BalanceEntry>> objects;
    std::vector<std::pair<std::int64_t, std::int64_t>> keyRuns; // first and last key of each

    explicit DroppedEntries(std::vector<std::shared_ptr<BalanceEntry>> stored);
    // Whether `entry` is a stored object with one of these keys (an import's keys make one
    // run: a look costs next to nothing).
    bool contains(const BalanceEntry& entry) const;
};
