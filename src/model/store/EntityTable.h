#pragma once

#include "model/ChangeRecorder.h"
#include "model/ObjectContext.h"
#include "model/Result.h"
#include "model/store/CachedStatement.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <utility>
#include <unordered_map>
#include <vector>

class SqliteDatabase;

// The objects of one entity in one context: the registry of stored objects (one object per
// row, kept once loaded so that later fetches are served from memory), the pending inserts,
// deletes and attribute changes, and the SQL that loads, merges and saves them. One file per
// job: EntityTable.cpp the registry, EntityTableSave.cpp writing a save, EntityTableMerge.cpp
// loading and merging other connections' commits.
template <class Entity>
class EntityTable {
public:
    using Values = typename Entity::Values;
    using Objects = std::vector<std::shared_ptr<Entity>>;

    explicit EntityTable(ObjectContext& context) : context_(context) {}
    // Objects may outlive their context (views and undo steps hold them): they end detached.
    ~EntityTable();
    EntityTable(const EntityTable&) = delete;
    EntityTable& operator=(const EntityTable&) = delete;

    // Lifecycle changes requested through the context; false when nothing changed.
    bool insert(const std::shared_ptr<Entity>& object);
    bool remove(const std::shared_ptr<Entity>& object);
    // Before the first change of a stored object's attribute: keeps its committed values.
    void willChange(Entity& object, int attribute);

    Result<Objects> fetch(SqliteDatabase& database, int sortAttribute, SortDirection direction);
    Result<std::int64_t> count(SqliteDatabase& database);
    bool hasChanges() const;

    // Saving in steps, inside the caller's transaction (nothing in memory changes before
    // didCommit): startWriting() once; writeInserts() any number of times while objects are
    // still being inserted (it writes those inserted since its last call); write() for every
    // pending change not yet written; then didCommit() once the transaction committed.
    void startWriting();
    Result<void> writeInserts(SqliteDatabase& database);
    Result<void> write(SqliteDatabase& database);
    void didCommit();
    // Discards pending changes; true when the visible contents changed.
    bool rollback();

    // After a failed write: forgets the objects whose rows turned out to be deleted by another
    // connection (they stop being visible). True when there were any.
    bool forgetLostRows();

    // The visible changes since the last call.
    EntityChanges<Entity> takeChanges() { return changes_.take(); }
    bool hasUnannouncedChanges() const { return !changes_.isEmpty(); }

    // Merges what other connections committed, attribute by attribute; attributes with a
    // pending change keep this context's value. Reads only the rows added since the last look
    // and those the change log names (all rows when the log no longer reaches back that far).
    // True when the visible contents changed. Without a loaded registry there is nothing to
    // merge into: true when the table changed since the last look (or on the first look).
    Result<bool> mergeCommitted(SqliteDatabase& database);
    bool isLoaded() const { return loaded_; }
    // The shared pointer of one of this table's objects (stored or inserted); null for others.
    std::shared_ptr<Entity> shared(Entity& object) const;

    // Rows another context committed, taken in as objects made there (see
    // ObjectContext::adoptCommitted). While merges are held (a count), mergeCommitted reads
    // nothing: all it would have read waits for the first merge after.
    void holdMerges() { ++mergeHolds_; }
    void releaseMerges() { --mergeHolds_; }
    // Whether rows from `firstRowId` on can be taken in as they are: every row below is known.
    bool canAdopt(std::int64_t firstRowId) const { return loaded_ && knownRowId_ + 1 == firstRowId; }
    void reserveAdopted(std::size_t count) { stored_.reserve(stored_.size() + count); }
    // Makes `object` this context's object for the row (before adopt; nothing is visible yet).
    void attachAdopted(Entity& object, std::int64_t rowId)
    {
        attach(object, rowId);
        object.deleted_ = false; // (a row written back after its delete)
    }
    // The attached objects, by row key, become stored objects of the registry; no change is
    // recorded (the caller announces them).
    void adopt(Objects&& byRowId);

    // A large undo or redo in slices (see ObjectContext::replayInSteps), inside the caller's
    // transaction; nothing in memory changes: the rows of stored `objects` are deleted, or
    // detached `objects` are written back under their former keys (logged for the other
    // connections, which know those keys already).
    Result<void> deleteRows(SqliteDatabase& database, std::span<const std::shared_ptr<Entity>> objects);
    Result<void> writeRestoredRows(SqliteDatabase& database, std::span<const std::shared_ptr<Entity>> objects);
    // Once their deletes committed: the stored objects with these keys (first and last of each
    // run, ascending) leave the registry, detached and keeping their keys for a redo; no change
    // is recorded (the caller announces them).
    void dropStored(const std::vector<std::pair<std::int64_t, std::int64_t>>& keyRuns);
    // The change log's last entry; after a commit of this context's own, passOwnLog skips the
    // entries it wrote (those after `before`, up to `after`) when none before was left unread.
    Result<std::int64_t> logEnd(SqliteDatabase& database);
    void passOwnLog(std::int64_t before, std::int64_t after)
    {
        if (logSeen_ == before)
            logSeen_ = after;
    }

private:
    using Lifecycle = ManagedObject::Lifecycle;
    struct Snapshot {
        Values committed;
        std::uint32_t changedAttributes = 0;
    };

    Result<void> reconcileWrittenInserts(SqliteDatabase& database);
    // didCommit's two ways of making the written inserts stored objects.
    void moveInsertsIntoRegistry();
    void takeInsertsAsRegistry();
    template <class Keep>
    void attachWrittenInserts(Keep&& keep);
    Result<void> deleteRow(SqliteDatabase& database, std::int64_t rowId);
    // Writes the row under its former key, and the log entry that tells other connections.
    Result<void> writeRestoredRow(SqliteDatabase& database, const Entity& object);
    Result<void> writeRow(SqliteDatabase& database, const Entity& object, std::int64_t rowId);
    Result<void> ensureLoaded(SqliteDatabase& database);
    Result<bool> synchronize(SqliteDatabase& database);
    Result<bool> mergeLogged(SqliteDatabase& database, std::int64_t logEnd);
    // Where a merge starts: the highest row key handed out, and the change log's last entry.
    struct Watermarks {
        std::int64_t rowId = 0;
        std::int64_t logEnd = 0;
        std::int64_t logStart = 0;
    };
    Result<Watermarks> readWatermarks(SqliteDatabase& database);
    Result<std::vector<std::int64_t>> loggedSince(SqliteDatabase& database);
    // The stored object with this row id, or null.
    std::shared_ptr<Entity> storedObject(std::int64_t rowId) const;
    // Where the pending deletes stand in stored_, ascending: found through removedRowIds_ when
    // those account for all of them (a delete of one entry must not read a million objects),
    // else by a pass over the registry.
    std::vector<std::size_t> pendingDeletePositions();
    std::uint32_t mergeRow(Entity& object, const Values& row);
    void forget(const std::shared_ptr<Entity>& object);
    void restoreCommitted(Entity& object);
    void attach(Entity& object, std::int64_t rowId);
    static void detach(Entity& object);
    // A stored object whose delete committed: detached, keeping its key for an undo.
    static void releaseDeleted(Entity& object);

    ObjectContext& context_;
    bool loaded_ = false;
    Objects stored_;   // by row id; includes pending deletes
    Objects inserted_; // in insertion order; includes inserts taken back (deleted_) until saved
    std::unordered_map<const Entity*, Snapshot> changed_;
    std::size_t pendingDeletes_ = 0;
    std::vector<std::int64_t> removedRowIds_; // of the stored objects remove() marked since the last save
    std::size_t takenBackInserts_ = 0;
    std::uint64_t insertTurns_ = 0;
    ChangeRecorder<Entity> changes_;
    Objects lostRows_; // of the last write
    // Of the save in progress: the row id written for each of inserted_[0, newRowIds_.size())
    // (0: not written, it was taken back), and the last row id handed out (none read yet).
    std::vector<std::int64_t> newRowIds_;
    std::optional<std::int64_t> lastRowId_;
    // Every row with a key up to knownRowId_ is in the registry (or was deleted since, which
    // the change log tells); the log is read from the entry after logSeen_.
    std::int64_t knownRowId_ = 0;
    std::int64_t logSeen_ = 0;
    int mergeHolds_ = 0;
    bool watermarksRead_ = false; // (not loaded: whether knownRowId_ and logSeen_ are set)
    std::optional<std::int64_t> rowIdBeforeSave_; // the highest key when this save began writing

    CachedStatement selectAll_;
    CachedStatement selectAfter_;
    CachedStatement selectOne_;
    CachedStatement logBounds_;
    CachedStatement logSince_;
    CachedStatement lastRowIdQuery_;
    CachedStatement insert_;
    CachedStatement insertMany_; // rowsPerInsert rows at once
    CachedStatement remove_;
    CachedStatement count_;
    CachedStatement setLastRowId_;
    CachedStatement logRestored_;
    std::vector<CachedStatement> update_ = std::vector<CachedStatement>(Entity::attributeCount);
};
