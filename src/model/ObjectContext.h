#pragma once

#include "model/BalanceEntry.h"
#include "model/Result.h"
#include "model/TSXYear.h"

#include <QObject>

#include <cstdint>
#include <memory>
#include <vector>

class UndoManager;

enum class SortDirection { Ascending, Descending };

// The objects fetched or inserted through one connection to the store, with their pending
// inserts, updates and deletes. Used only on the thread it belongs to (the main context on
// the main thread; a background context inside its performAndWait).
//
// Change notification: every change of contents (insert, delete, attribute change, rollback,
// undo/redo, a merge of what another context or process committed) is collected and reported
// once per event-loop pass through objectsDidChange(); save() reports pending ones first.
// Views listen to it and refetch (fetches are served from memory).
class ObjectContext : public QObject {
    Q_OBJECT
public:
    ~ObjectContext() override;

    // Inserts a detached object (made with std::make_shared<Entity>()).
    void insert(const std::shared_ptr<ManagedObject>& object);
    // Deletes: the object disappears from this context's fetches at once, from the store at
    // the next save.
    void remove(const std::shared_ptr<ManagedObject>& object);

    // All objects of the entity, pending changes applied, sorted by one attribute (a stable
    // order: equal keys keep the store's insertion order). A failing read is an error.
    Result<std::vector<std::shared_ptr<BalanceEntry>>> fetchBalanceEntries(
        BalanceEntry::Attribute sortKey = BalanceEntry::Date, SortDirection direction = SortDirection::Ascending);
    Result<std::vector<std::shared_ptr<TSXYear>>> fetchTSXYears(
        TSXYear::Attribute sortKey = TSXYear::SortOrder, SortDirection direction = SortDirection::Ascending);
    Result<std::int64_t> countBalanceEntries();
    Result<std::int64_t> countTSXYears();

    // Writes every pending insert, update and delete in one transaction. On failure returns
    // the error and keeps everything pending.
    Result<void> save();
    // Discards every pending change.
    void rollback();
    bool hasChanges() const;

    // The undo manager that records this context's changes (not owned); null for none.
    void setUndoManager(UndoManager* undoManager);
    UndoManager* undoManager() const;

Q_SIGNALS:
    // Contents changed (coalesced: at most once per event-loop pass).
    void objectsDidChange();
    // A save of this context committed.
    void didSave();
};
