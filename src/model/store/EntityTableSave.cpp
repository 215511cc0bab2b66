// Writing a save: the pending deletes, attribute changes and inserts, inside the caller's
// transaction; the registry takes the result once it committed.
#include "model/store/EntityTable.h"

#include "model/StoreWords.h"
#include "model/store/AttributeColumns.h"
#include "model/store/EntityTraits.h"
#include "model/store/SqliteDatabase.h"

#include <algorithm>
#include <string>
#include <utility>

namespace {
constexpr int rowsPerInsert = 64;

// Attributes in order, then the row key, from parameter `first` on.
template <class Entity>
void bindRow(SqliteStatement& insert, int first, const typename Entity::Values& values, std::int64_t rowId)
{
    for (int attribute = 0; attribute < Entity::attributeCount; ++attribute)
        EntityTraits<Entity>::withField(attribute, [&](auto field) { bindAttribute(insert, first + attribute, values.*field); });
    insert.bindInt64(first + Entity::attributeCount, rowId);
}
} // namespace

template <class Entity>
Result<void> EntityTable<Entity>::deleteRow(SqliteDatabase& database, std::int64_t rowId)
{
    auto remover = remove_.get(database, EntityTraits<Entity>::remove);
    if (!remover)
        return remover.error();
    remover.value()->bindInt64(1, rowId);
    return run(*remover.value());
}

template <class Entity>
Result<void> EntityTable<Entity>::writeRow(SqliteDatabase& database, const Entity& object, std::int64_t rowId)
{
    auto single = insert_.get(database, EntityTraits<Entity>::insert);
    if (!single)
        return single.error();
    bindRow<Entity>(*single.value(), 1, object.values_, rowId);
    return run(*single.value());
}

// A row brought back under its old key, below keys other connections already know: the
// change log tells them.
template <class Entity>
Result<void> EntityTable<Entity>::writeRestoredRow(SqliteDatabase& database, const Entity& object)
{
    if (auto done = writeRow(database, object, object.formerRowId()); !done)
        return done;
    auto log = logRestored_.get(database, "INSERT INTO ChangeLog (entity, pk) VALUES (?1, ?2)");
    if (!log)
        return log.error();
    log.value()->bindInt64(1, EntityTraits<Entity>::logCode);
    log.value()->bindInt64(2, object.formerRowId());
    return run(*log.value());
}

template <class Entity>
Result<void> EntityTable<Entity>::deleteRows(SqliteDatabase& database, std::span<const std::shared_ptr<Entity>> objects)
{
    for (const auto& object : objects)
        if (auto done = deleteRow(database, object->rowId_); !done)
            return done;
    return {};
}

template <class Entity>
Result<void> EntityTable<Entity>::writeRestoredRows(SqliteDatabase& database, std::span<const std::shared_ptr<Entity>> objects)
{
    for (const auto& object : objects)
        if (auto done = writeRestoredRow(database, *object); !done)
            return done;
    return {};
}

template <class Entity>
void EntityTable<Entity>::startWriting()
{
    newRowIds_.clear();
    lastRowId_.reset();
    rowIdBeforeSave_.reset();
    lostRows_.clear();
}

template <class Entity>
Result<void> EntityTable<Entity>::write(SqliteDatabase& database)
{
    using Traits = EntityTraits<Entity>;
    if (pendingDeletes_ > 0)
        for (const std::size_t position : pendingDeletePositions())
            if (auto done = deleteRow(database, stored_[position]->rowId_); !done)
                return done;
    for (const auto& [object, snapshot] : changed_) {
        if (object->deleted_)
            continue;
        for (int attribute = 0; attribute < Entity::attributeCount; ++attribute) {
            if (!(snapshot.changedAttributes & (1u << attribute)))
                continue;
            auto updater = update_[attribute].get(database, Traits::update[attribute]);
            if (!updater)
                return updater.error();
            Traits::withField(attribute, [&](auto field) { bindAttribute(*updater.value(), 1, object->values_.*field); });
            updater.value()->bindInt64(2, object->rowId_);
            if (auto done = run(*updater.value()); !done)
                return done;
            // No row: another connection deleted it since this context last looked. Writing
            // nothing would report a save that lost the edit.
            if (database.changes() == 0) {
                lostRows_.push_back(shared(*const_cast<Entity*>(object)));
                return Error{StoreWords::tr("an edited item was deleted by another program"),
                             QStringLiteral("{entity: %1, row: %2}").arg(QString::fromUtf8(Entity::entityName)).arg(object->rowId_)};
            }
        }
    }
    if (auto reconciled = reconcileWrittenInserts(database); !reconciled)
        return reconciled;
    if (inserted_.size() > takenBackInserts_ || lastRowId_) {
        if (auto written = writeInserts(database); !written)
            return written;
        auto sequence = setLastRowId_.get(database, Traits::setLastRowId);
        if (!sequence)
            return sequence.error();
        sequence.value()->bindInt64(1, *lastRowId_);
        return run(*sequence.value());
    }
    return {};
}

// The single-row insert widened to `rowsPerInsert` rows: one statement run per group of rows
// costs SQLite much less than one per row. Its columns are named in the table's order, row key
// first (values listed in another order cost SQLite about 200 more instructions a row); the
// parameters keep the single insert's numbering within each row: attributes, then the key.
template <class Entity>
const char* multiRowInsert()
{
    static const std::string sql = [] {
        constexpr int columns = Entity::attributeCount + 1;
        constexpr auto columnNames = EntityTraits<Entity>::columns(true);
        std::string text = std::string("INSERT INTO ") + Entity::entityName + " (" + std::string(columnNames.view()) + ") VALUES ";
        for (int row = 0; row < rowsPerInsert; ++row) {
            const int first = row * columns + 1;
            text += (row ? ", (?" : "(?") + std::to_string(first + Entity::attributeCount);
            for (int attribute = 0; attribute < Entity::attributeCount; ++attribute)
                text += ", ?" + std::to_string(first + attribute);
            text += ")";
        }
        return text;
    }();
    return sql.c_str();
}

template <class Entity>
Result<void> EntityTable<Entity>::writeInserts(SqliteDatabase& database)
{
    constexpr int columns = Entity::attributeCount + 1;
    if (!lastRowId_) {
        auto marks = readWatermarks(database);
        if (!marks)
            return marks.error();
        lastRowId_ = marks.value().rowId;
        rowIdBeforeSave_ = lastRowId_;
    }
    const auto writeSingle = [&](const Entity& object) -> Result<void> {
        if (auto done = writeRow(database, object, *lastRowId_ + 1); !done)
            return done;
        newRowIds_.push_back(++*lastRowId_);
        return {};
    };
    // The key of a member of a written group (restored rows were written on their own).
    const auto groupKey = [&](const Entity& object) {
        return object.deleted_ ? 0 : object.formerRowId() ? object.formerRowId() : ++*lastRowId_;
    };
    // (Grown geometrically: an import calls this once per slice of rows.)
    if (newRowIds_.capacity() < inserted_.size())
        newRowIds_.reserve(std::max(inserted_.size(), 2 * newRowIds_.capacity()));
    // Whole groups of rowsPerInsert rows while enough are left, single rows for the rest.
    SqliteStatement* many = nullptr;
    int bound = 0; // rows bound in the multi-row statement, from inserted_[newRowIds_.size()] on
    for (std::size_t index = newRowIds_.size(); index < inserted_.size(); ++index) {
        const Entity& object = *inserted_[index];
        if (object.deleted_ || object.formerRowId()) {
            if (!object.deleted_)
                if (auto written = writeRestoredRow(database, object); !written)
                    return written;
            if (bound == 0)
                newRowIds_.push_back(object.deleted_ ? 0 : object.formerRowId());
            continue; // inside a group: numbered when the group is written
        }
        if (bound == 0 && inserted_.size() - index < static_cast<std::size_t>(rowsPerInsert)) {
            if (auto written = writeSingle(object); !written)
                return written;
            continue;
        }
        if (!many) {
            auto prepared = insertMany_.get(database, multiRowInsert<Entity>());
            if (!prepared)
                return prepared.error();
            many = prepared.value();
        }
        bindRow<Entity>(*many, bound * columns + 1, object.values_, *lastRowId_ + 1 + bound);
        if (++bound < rowsPerInsert)
            continue;
        if (auto done = run(*many); !done)
            return done;
        for (std::size_t member = newRowIds_.size(); member <= index; ++member)
            newRowIds_.push_back(groupKey(*inserted_[member]));
        bound = 0;
    }
    // A group cut short at the end: its rows one by one.
    for (std::size_t member = newRowIds_.size(); member < inserted_.size(); ++member) {
        const Entity& object = *inserted_[member];
        if (object.deleted_ || object.formerRowId())
            newRowIds_.push_back(groupKey(object));
        else if (auto written = writeSingle(object); !written)
            return written;
    }
    return {};
}

// Inserts written earlier in this save that were taken back since lose their row again, and
// ones taken back before and inserted again since get one. (An import inserts only; this
// keeps the save exact whatever happened meanwhile.)
template <class Entity>
Result<void> EntityTable<Entity>::reconcileWrittenInserts(SqliteDatabase& database)
{
    const auto removeRow = [&](std::int64_t& rowId) { return deleteRow(database, std::exchange(rowId, 0)); };
    std::optional<std::size_t> firstMissing;
    for (std::size_t index = 0; index < newRowIds_.size(); ++index) {
        const bool written = newRowIds_[index] != 0;
        if (written == !inserted_[index]->deleted_)
            continue;
        if (!written) {
            firstMissing = firstMissing.value_or(index);
            continue;
        }
        if (auto removed = removeRow(newRowIds_[index]); !removed)
            return removed;
    }
    if (!firstMissing)
        return {};
    // Rare: rewind to the first missing one, so that row keys keep the insertion order.
    for (std::size_t index = *firstMissing; index < newRowIds_.size(); ++index) {
        if (newRowIds_[index] == 0)
            continue;
        if (auto removed = removeRow(newRowIds_[index]); !removed)
            return removed;
    }
    newRowIds_.resize(*firstMissing);
    return {};
}

template <class Entity>
void EntityTable<Entity>::didCommit()
{
    if (pendingDeletes_ > 0) {
        // A few deletes are erased one by one (the registry's tail moves once per delete), many
        // in one pass.
        constexpr std::size_t fewDeletes = 16;
        if (const auto positions = pendingDeletePositions(); positions.size() <= fewDeletes) {
            for (auto position = positions.rbegin(); position != positions.rend(); ++position) {
                releaseDeleted(*stored_[*position]);
                stored_.erase(stored_.begin() + std::ptrdiff_t(*position));
            }
        } else {
            std::erase_if(stored_, [&](const std::shared_ptr<Entity>& object) {
                if (!object->deleted_)
                    return false;
                releaseDeleted(*object);
                return true;
            });
        }
    }
    changed_.clear();
    if (stored_.empty())
        takeInsertsAsRegistry();
    else
        moveInsertsIntoRegistry();
    // Nobody else added rows since the last merge (keys are handed out under the write
    // lock): the rows up to ours are all known.
    if (rowIdBeforeSave_ && lastRowId_ && *rowIdBeforeSave_ == knownRowId_)
        knownRowId_ = *lastRowId_;
    Objects().swap(inserted_);
    std::vector<std::int64_t>().swap(newRowIds_);
    lastRowId_.reset();
    rowIdBeforeSave_.reset();
    pendingDeletes_ = 0;
    removedRowIds_.clear();
    takenBackInserts_ = 0;
}

// Each insert written by this save becomes a stored object under its new key and is handed to
// `keep`; one taken back before the save is left detached.
template <class Entity>
template <class Keep>
void EntityTable<Entity>::attachWrittenInserts(Keep&& keep)
{
    for (std::size_t index = 0; index < inserted_.size(); ++index) {
        auto& object = inserted_[index];
        if (object->deleted_) {
            detach(*object);
            continue;
        }
        attach(*object, newRowIds_[index]);
        keep(object);
    }
}

// The inserts move into the registry (inserted_ is emptied after): no reference count
// changes, and at most one allocation (growing geometrically: saves of one entry each must
// not copy the registry every time).
template <class Entity>
void EntityTable<Entity>::moveInsertsIntoRegistry()
{
    if (const std::size_t needed = stored_.size() + inserted_.size() - takenBackInserts_; needed > stored_.capacity())
        stored_.reserve(std::max(needed, 2 * stored_.capacity()));
    attachWrittenInserts([&](std::shared_ptr<Entity>& object) {
        // Row ids only grow (RowSequence), but another connection's rows merged later may
        // sit between ours: keep the registry ordered either way.
        if (stored_.empty() || stored_.back()->rowId_ < object->rowId_)
            stored_.push_back(std::move(object));
        else
            stored_.insert(std::upper_bound(stored_.begin(), stored_.end(), object->rowId_,
                                            [](std::int64_t id, const auto& other) { return id < other->rowId_; }),
                           std::move(object));
    });
}

// Into an empty registry (the first save of a new store, an import's background save) the
// list of inserts itself becomes the registry: a million-entry list is neither allocated
// again nor copied.
template <class Entity>
void EntityTable<Entity>::takeInsertsAsRegistry()
{
    std::size_t kept = 0;
    bool ordered = true;
    attachWrittenInserts([&](std::shared_ptr<Entity>& object) {
        ordered = ordered && (kept == 0 || inserted_[kept - 1]->rowId_ < object->rowId_);
        inserted_[kept++] = std::move(object); // (at or before its own place)
    });
    inserted_.resize(kept);
    // (Rows written back under their former keys come before the new ones.)
    if (!ordered)
        std::ranges::sort(inserted_, {}, [](const auto& object) { return object->rowId_; });
    stored_.swap(inserted_);
}

// This file's members only: the class is instantiated with the registry.
#define CORVANTA_INSTANTIATE_SAVE(Entity)                                                      \
    template void EntityTable<Entity>::startWriting();                                        \
    template Result<void> EntityTable<Entity>::write(SqliteDatabase&);                        \
    template Result<void> EntityTable<Entity>::writeInserts(SqliteDatabase&);                 \
    template Result<void> EntityTable<Entity>::reconcileWrittenInserts(SqliteDatabase&);      \
    template void EntityTable<Entity>::didCommit();                                            \
    template void EntityTable<Entity>::moveInsertsIntoRegistry();                              \
    template void EntityTable<Entity>::takeInsertsAsRegistry();                                \
    template Result<void> EntityTable<Entity>::deleteRow(SqliteDatabase&, std::int64_t);      \
    template Result<void> EntityTable<Entity>::writeRow(SqliteDatabase&, const Entity&, std::int64_t); \
    template Result<void> EntityTable<Entity>::writeRestoredRow(SqliteDatabase&, const Entity&); \
    template Result<void> EntityTable<Entity>::deleteRows(SqliteDatabase&, std::span<const std::shared_ptr<Entity>>); \
    template Result<void> EntityTable<Entity>::writeRestoredRows(SqliteDatabase&, std::span<const std::shared_ptr<Entity>>);
CORVANTA_INSTANTIATE_SAVE(BalanceEntry)
CORVANTA_INSTANTIATE_SAVE(TSXYear)
