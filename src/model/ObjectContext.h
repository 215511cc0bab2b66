#pragma once

#include "model/AttributeValue.h"
#include "model/BalanceEntry.h"
#include "model/ChangeSet.h"
#include "model/RecordedChange.h"
#include "model/Result.h"
#include "model/store/SqliteTransaction.h"
#include "model/TSXYear.h"

#include <QObject>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class QDeadlineTimer;
class SqliteDatabase;
class UndoManager;
struct CommittedEntries;
struct DroppedEntries;

enum class SortDirection { Ascending, Descending };

// The objects fetched or inserted through one connection to the store, with their pending
// inserts, updates and deletes. Used only on the thread it belongs to (the main context on
// the main thread; a background context inside its performAndWait).
//
// Change notification: every change of contents (insert, delete, attribute change, rollback,
// undo/redo, a merge of what another context or process committed) is collected and reported
// once per event-loop pass through objectsDidChange(), as one ChangeSet saying which objects
// appeared, disappeared or changed which attributes; a save reports pending ones once its
// write is over (a listener's fetch never runs under a write). Views apply the change set
// (LiveResult does it for a sorted list) instead of refetching.
//
// Merging: what other connections commit is brought in attribute by attribute; an attribute
// changed here and not yet saved keeps this context's value, and wins at the next save (a
// save writes only the attributes this context changed).
class ObjectContext : public QObject {
    Q_OBJECT
public:
    ~ObjectContext() override;

    // Inserts a detached object (made with std::make_shared<Entity>()).
    void insert(const std::shared_ptr<ManagedObject>& object);
    // The same without converting the pointer (an import inserts a million, and each
    // conversion is a pair of atomic count changes).
    void insert(const std::shared_ptr<BalanceEntry>& entry);
    void insert(const std::shared_ptr<TSXYear>& year);
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
    // A save whose writing overlaps the insertion of many new objects (an import): its
    // transaction opens at beginSave(), each writeInserted() writes the objects inserted since
    // the last one, and commit() writes every other pending change and commits, exactly as
    // save() would. Until commit() succeeds everything stays pending; a failure, or dropping
    // the save uncommitted, writes nothing to the store. While it is open the context takes
    // insertions and deletions only (no attribute change of an inserted object, no fetch).
    // Changes made meanwhile are announced once the save is over, and nothing other
    // connections commit is merged before then: until it commits, this connection reads its
    // own uncommitted rows.
    class SaveInProgress {
    public:
        SaveInProgress(SaveInProgress&& other) noexcept;
        SaveInProgress& operator=(SaveInProgress&&) = delete;
        ~SaveInProgress();
        Result<void> writeInserted();
        Result<void> commit();

    private:
        friend class ObjectContext;
        SaveInProgress(ObjectContext& context, SqliteTransaction transaction);
        void end();
        ObjectContext* context_;
        std::optional<SqliteTransaction> transaction_;
    };
    // Fails when the store cannot be written now (not open, locked by another writer).
    Result<SaveInProgress> beginSave();

    // Brings in what other connections committed and announces every pending change now
    // rather than on the next event-loop pass: for a reader of a live list that must be
    // current within one event (a script's request).
    void processPendingChanges();

    // Taking in what a background context committed without reading it back: a million rows
    // read back and listed at once would hold the window for seconds.
    // holdMerges: until the hold goes, nothing other connections commit is merged into the
    // entries (it waits for the first merge after). Take it before the other context commits.
    using MergeHold = std::shared_ptr<void>;
    MergeHold holdMerges();
    // Takes in `entries` (rows another context just committed) over several event-loop passes
    // of a few milliseconds each: the objects are attached and every live list of entries
    // prepares its new contents; then, in one pass, the registry takes them in, the lists swap
    // and one change set announces them (as `adopted`), so that every view sees them all at
    // once or not yet. `hold` goes then. When another writer's rows came in between, the rows
    // are merged from the store instead, at once. `progressed` gets the share done; `done`
    // runs once the entries are visible.
    void adoptCommitted(std::shared_ptr<CommittedEntries> entries, MergeHold hold, std::function<void(double)> progressed,
                        std::function<void()> done);
    // A live list of entries that prepares for an adoption in steps (LiveResult).
    class AdoptionListener {
    public:
        using Adopted = std::shared_ptr<const std::vector<std::shared_ptr<BalanceEntry>>>;
        virtual ~AdoptionListener() = default;
        // Prepares the list with `adopted` in it, working until `deadline`; true once ready
        // (again false when a change made since asks for preparing again).
        virtual bool prepareAdoption(const Adopted& adopted, const QDeadlineTimer& deadline) = 0;
        // Shows the list prepared.
        virtual void finishAdoption() = 0;
        // The same for stored entries leaving in bulk (a large undo or redo).
        using Dropped = std::shared_ptr<const DroppedEntries>;
        virtual bool prepareDrop(const Dropped& dropped, const QDeadlineTimer& deadline) = 0;
        virtual void finishDrop() = 0;
    };
    void addAdoptionListener(AdoptionListener* listener);
    void removeAdoptionListener(AdoptionListener* listener);

    // Discards every pending change (the undo history, made of saved changes, stays).
    void rollback();
    bool hasChanges() const;

    // Where the actions on this context record their undo steps (not owned); null for none.
    void setUndoManager(UndoManager* undoManager);
    UndoManager* undoManager() const;

Q_SIGNALS:
    // Contents changed (coalesced: at most once per event-loop pass; never an empty set).
    void objectsDidChange(const ChangeSet& changes);
    // A save of this context committed.
    void didSave();

private:
    friend class BalanceEntry;
    friend class TSXYear;
    friend class SqliteContainer;
    friend class UserAction;
    friend class UndoManager;

    // Contexts are made by their container, over a connection of their own (null when the
    // connection could not be opened: every store operation then reports `openError`).
    ObjectContext(std::unique_ptr<SqliteDatabase> database, Error openError);

    // Called after each commit of this context (the container tells the main context).
    void setCommitObserver(std::function<void()> observer);
    // Brings in what other connections committed since the last look (at once, or on the next
    // event-loop pass). Fetches and counts do it first, so they never serve a stale registry.
    void scheduleRefreshFromStore();
    void refreshFromStore();
    // Copies a large write-ahead log back into the database file on the next event-loop pass,
    // after the save that grew it has returned.
    void scheduleCheckpoint();
    void checkpoint();

    Result<void> writeAndCommit();
    // Writes every pending change in one transaction; nothing in memory changes.
    Result<void> writeAll();
    Error failedSave(const Error& cause);
    // A fetch or count of one table, after merging what others committed.
    template <class Table, class Read>
    auto readTable(Table& table, Read read) -> decltype(read(table));
    // What follows a successful commit: the objects become stored, listeners learn of it.
    void didCommit();

    enum class Membership { Insert, Remove };
    void changeMembership(const std::shared_ptr<ManagedObject>& object, Membership change);
    template <class Entity>
    void changeMembershipOf(const std::shared_ptr<Entity>& object, Membership change);
    // False for null and for another context's object (with a warning).
    bool mayInsert(const ManagedObject* object) const;

    // Actions (UserAction): while one is open, every change made through the context is
    // recorded. beginAction() returns where the action's record starts; endAction() takes it.
    std::size_t beginAction();
    RecordedChange endAction(std::size_t mark);
    bool recording() const;
    void recordMembership(std::shared_ptr<ManagedObject> object, bool inserted);
    void recordAssignment(RecordedChange::Assignment assignment);
    // Makes a recorded change again (`forward`) or takes it back, through the context.
    void replay(const RecordedChange& change, bool forward);
    // After a failed save of `change` (made `forward`): without other pending changes a
    // rollback restores the context exactly, else the change is replayed the other way.
    void takeBack(const RecordedChange& change, bool forward, bool hadOtherChanges);
    // Undo and redo: replays the change and saves; a failed save is taken back.
    Result<void> saveReplay(const RecordedChange& change, bool forward);
    // The same over several event-loop passes of a few milliseconds each, for a change that
    // only inserts or only deletes many stored entries (an import): the rows are written or
    // deleted in slices of one open transaction; once it committed, every live list prepares
    // its new contents a slice at a time, and one pass shows them all. A failed write leaves
    // the context as it was. Smaller changes (or with other changes pending) are replayed at
    // once, and `finished` gets the outcome at once; otherwise in a later pass, and
    // `progressed` gets the share done meanwhile.
    void replayInSteps(const RecordedChange& change, bool forward, std::function<void(double)> progressed,
                       std::function<void(Result<void>)> finished);
    struct BulkReplay;
    bool canReplayInBulk(const RecordedChange& change, bool forward) const;
    void continueBulkReplay();
    bool writeBulkReplay(BulkReplay& replay, const QDeadlineTimer& deadline);
    void commitBulkReplay(BulkReplay& replay);
    void dropBulkReplay(BulkReplay& replay, const QDeadlineTimer& deadline);
    void finishBulkReplay(Result<void> outcome);
    // What waited for a save's open transaction follows on the next pass.
    void endOpenSave();
    // adoptCommitted without its check for another writer: the rows are this context's own.
    void startAdoption(std::shared_ptr<CommittedEntries> entries, MergeHold hold, std::function<void(double)> progressed,
                       std::function<void()> done);

    // Writes one attribute through the context: change tracking, undo, notification.
    template <class Entity, class T>
    static void assign(Entity& object, typename Entity::Attribute attribute, T Entity::Values::*field, T value);
    // The same for attribute A, and for every attribute in turn.
    template <auto A, class Entity, class T>
    static void assign(Entity& object, T value) { assign(object, A, fieldOf<Entity, A>, std::move(value)); }
    template <class Entity>
    static void assignAll(Entity& object, const typename Entity::Values& values);
    void willChange(BalanceEntry& object, int attribute);
    void willChange(TSXYear& object, int attribute);
    // The shared pointer of an object of this context (see EntityTable::shared).
    std::shared_ptr<BalanceEntry> shared(BalanceEntry& object) const;
    std::shared_ptr<TSXYear> shared(TSXYear& object) const;
    void noteChange();
    void flushChangeNotification();
    struct Adoption;
    void continueAdoption();
    void finishAdoption();

    struct Private;
    std::unique_ptr<Private> d_;
};

template <class Entity>
void ObjectContext::assignAll(Entity& object, const typename Entity::Values& values)
{
    forEachAttribute<Entity>([&](auto attribute, const auto& description) {
        assign(object, typename Entity::Attribute(attribute()), description.field, values.*description.field);
    });
}

template <class Entity, class T>
void ObjectContext::assign(Entity& object, typename Entity::Attribute attribute, T Entity::Values::*field, T value)
{
    T& slot = object.values_.*field;
    if (sameAttributeValue(slot, value))
        return;
    ObjectContext* context = object.context();
    if (!context) {
        slot = std::move(value);
        return;
    }
    context->willChange(object, attribute);
    T previous = std::exchange(slot, std::move(value));
    if (context->recording()) {
        auto self = context->shared(object);
        context->recordAssignment([self, attribute, field, previous, now = slot](bool forward) {
            assign(*self, attribute, field, forward ? now : previous);
        });
    }
    context->noteChange();
}
