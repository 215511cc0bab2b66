#pragma once

#include "model/BalanceEntry.h"
#include "model/TSXYear.h"

#include <cstdint>
#include <memory>
#include <vector>

// What one change notification of a context reports for one entity, relative to the
// contents the previous notification left: an object appears in at most one of the lists.
template <class Entity>
struct EntityChanges {
    std::vector<std::shared_ptr<Entity>> inserted; // became visible to this context's fetches
    std::vector<std::shared_ptr<Entity>> deleted;  // stopped being visible
    struct Update {
        std::shared_ptr<Entity> object;
        std::uint32_t attributes = 0; // bit n = attribute n
    };
    std::vector<Update> updated; // visible before and after, with these attributes changed
    // Became visible in bulk, taken in from another context's commit (see
    // ObjectContext::adoptCommitted), by date ascending, equal dates in fetch order. Live
    // lists that prepared for them already hold them.
    std::shared_ptr<const std::vector<std::shared_ptr<Entity>>> adopted;
    // Stopped being visible in bulk (a large undo or redo, see ObjectContext::replayInSteps).
    // Live lists that prepared for it already lack them.
    std::shared_ptr<const std::vector<std::shared_ptr<Entity>>> dropped;
    bool isEmpty() const { return inserted.empty() && deleted.empty() && updated.empty() && !adopted && !dropped; }
};

struct ChangeSet {
    EntityChanges<BalanceEntry> entries;
    EntityChanges<TSXYear> years;
    bool reset = false; // contents replaced wholesale: listeners refetch instead
    bool isEmpty() const { return !reset && entries.isEmpty() && years.isEmpty(); }

    template <class Entity>
    EntityChanges<Entity>& of()
    {
        if constexpr (std::is_same_v<Entity, BalanceEntry>)
            return entries;
        else
            return years;
    }
    template <class Entity>
    const EntityChanges<Entity>& of() const
    {
        return const_cast<ChangeSet*>(this)->of<Entity>();
    }
};
