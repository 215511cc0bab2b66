#include "model/store/EntityTable.h"

#include "model/store/AttributeColumns.h"
#include "model/AttributeValue.h"
#include "model/store/EntitySort.h"
#include "model/store/EntityTraits.h"
#include "model/store/SqliteDatabase.h"

#include <algorithm>
#include <string>
#include <utility>

namespace {
constexpr int rowsPerInsert = 64;

// Reads the columns after `pk` of the current row into `values`.
template <class Entity>
void readValues(const SqliteStatement& statement, typename Entity::Values& values)
{
    for (int attribute = 0; attribute < Entity::attributeCount; ++attribute)
        EntityTraits<Entity>::withField(attribute, [&](auto field) { readAttribute(statement, attribute + 1, values.*field); });
}

// Calls onRow for every row of a bound statement, then makes it ready for the next run.
template <class OnRow>
Result<void> forEachRow(SqliteStatement& statement, OnRow&& onRow)
{
    for (;;) {
        auto row = statement.step();
        if (!row || !row.value()) {
            statement.reset();
            if (!row)
                return row.error();
            return {};
        }
        onRow(statement);
    }
}

// Runs a statement that returns no rows and makes it ready for the next run.
Result<void> run(SqliteStatement& statement)
{
    auto done = statement.step();
    statement.reset();
    if (!done)
        return done.error();
    return {};
}
} // namespace

template <class Entity>
EntityTable<Entity>::~EntityTable()
{
    for (const auto& object : stored_)
        detach(*object);
    for (const auto& object : inserted_)
        detach(*object);
}

template <class Entity>
bool EntityTable<Entity>::insert(const std::shared_ptr<Entity>& object)
{
    switch (object->lifecycle_) {
    case Lifecycle::Detached:
        object->context_ = &context_;
        object->lifecycle_ = Lifecycle::Inserted;
        object->deleted_ = false;
        object->rowId_ = static_cast<std::int64_t>(++insertTurns_); // its turn, until it is stored
        inserted_.push_back(object);
        break;
    case Lifecycle::Inserted:
        if (!object->deleted_)
            return false;
        object->deleted_ = false;
        --takenBackInserts_;
        break;
    case Lifecycle::Stored:
        if (!object->deleted_)
            return false;
        object->deleted_ = false;
        --pendingDeletes_;
        break;
    }
    changes_.inserted(object);
    return true;
}

template <class Entity>
bool EntityTable<Entity>::remove(const std::shared_ptr<Entity>& object)
{
    if (object->lifecycle_ == Lifecycle::Detached || object->deleted_)
        return false;
    object->deleted_ = true;
    if (object->lifecycle_ == Lifecycle::Inserted)
        ++takenBackInserts_;
    else
        ++pendingDeletes_;
    changes_.deleted(object);
    return true;
}

template <class Entity>
void EntityTable<Entity>::willChange(Entity& object, int attribute)
{
    if (!object.deleted_ && object.lifecycle_ != Lifecycle::Detached)
        changes_.updated(object, 1u << attribute);
    if (object.lifecycle_ != Lifecycle::Stored)
        return; // an unsaved insert has no committed values to keep
    auto [snapshot, fresh] = changed_.try_emplace(&object);
    if (fresh)
        snapshot->second.committed = object.values_;
    snapshot->second.changedAttributes |= 1u << attribute;
}

template <class Entity>
Result<typename EntityTable<Entity>::Objects> EntityTable<Entity>::fetch(
    SqliteDatabase& database, int sortAttribute, SortDirection direction)
{
    if (auto loaded = ensureLoaded(database); !loaded)
        return loaded.error();
    const std::size_t visible = stored_.size() - pendingDeletes_ + inserted_.size() - takenBackInserts_;
    std::vector<entity_sort::Slot<Entity>> slots;
    slots.reserve(visible);
    for (const auto& object : stored_)
        if (!object->deleted_)
            slots.push_back(&object);
    bool restored = false;
    for (const auto& object : inserted_) {
        if (!object->deleted_) {
            slots.push_back(&object);
            restored |= object->formerRowId_ != 0;
        }
    }
    // Rows brought back by an undo sit among the stored ones, in key order.
    if (restored)
        std::stable_sort(slots.begin(), slots.end(), [](auto a, auto b) { return FetchOrder::of(**a) < FetchOrder::of(**b); });
    entity_sort::sortByAttribute(slots, sortAttribute, direction);
    Objects objects;
    objects.reserve(visible);
    for (auto slot : slots)
        objects.push_back(*slot);
    return objects;
}

template <class Entity>
Result<std::int64_t> EntityTable<Entity>::count(SqliteDatabase& database)
{
    const auto pendingInserts = static_cast<std::int64_t>(inserted_.size() - takenBackInserts_);
    const auto deletes = static_cast<std::int64_t>(pendingDeletes_);
    if (loaded_)
        return static_cast<std::int64_t>(stored_.size()) - deletes + pendingInserts;
    auto counter = statement(database, count_, EntityTraits<Entity>::count);
    if (!counter)
        return counter.error();
    SqliteStatement& query = *counter.value();
    auto row = query.step();
    const std::int64_t storedRows = row && row.value() ? query.columnInt64(0) : 0;
    query.reset();
    if (!row)
        return row.error();
    return storedRows - deletes + pendingInserts;
}

template <class Entity>
bool EntityTable<Entity>::hasChanges() const
{
    return inserted_.size() > takenBackInserts_ || pendingDeletes_ > 0 || !changed_.empty();
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
    if (pendingDeletes_ > 0) {
        auto remover = statement(database, remove_, Traits::remove);
        if (!remover)
            return remover.error();
        for (const auto& object : stored_) {
            if (!object->deleted_)
                continue;
            remover.value()->bindInt64(1, object->rowId_);
            if (auto done = run(*remover.value()); !done)
                return done;
        }
    }
    for (const auto& [object, snapshot] : changed_) {
        if (object->deleted_)
            continue;
        for (int attribute = 0; attribute < Entity::attributeCount; ++attribute) {
            if (!(snapshot.changedAttributes & (1u << attribute)))
                continue;
            auto updater = statement(database, update_[attribute], Traits::update[attribute]);
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
                return Error{QStringLiteral("an edited item was deleted by another program"),
                             QStringLiteral("{entity: %1, row: %2}").arg(QString::fromUtf8(Entity::entityName)).arg(object->rowId_)};
            }
        }
    }
    if (auto reconciled = reconcileWrittenInserts(database); !reconciled)
        return reconciled;
    if (inserted_.size() > takenBackInserts_ || lastRowId_) {
        if (auto written = writeInserts(database); !written)
            return written;
        auto sequence = statement(database, setLastRowId_, Traits::setLastRowId);
        if (!sequence)
            return sequence.error();
        sequence.value()->bindInt64(1, *lastRowId_);
        return run(*sequence.value());
    }
    return {};
}

// The single-row insert widened to `rowsPerInsert` rows: one statement run per group of rows
// costs SQLite much less than one per row.
template <class Entity>
const char* multiRowInsert()
{
    static const std::string sql = [] {
        const std::string single = EntityTraits<Entity>::insert;
        std::string group = "(?";
        for (int column = 1; column <= Entity::attributeCount; ++column)
            group += ", ?";
        group += ")";
        std::string text = single.substr(0, single.find("VALUES") + 7);
        for (int row = 0; row < rowsPerInsert; ++row)
            text += (row ? ", " : "") + group;
        return text;
    }();
    return sql.c_str();
}

template <class Entity>
Result<void> EntityTable<Entity>::writeInserts(SqliteDatabase& database)
{
    using Traits = EntityTraits<Entity>;
    constexpr int columns = Entity::attributeCount + 1;
    if (!lastRowId_) {
        auto marks = readWatermarks(database);
        if (!marks)
            return marks.error();
        lastRowId_ = marks.value().rowId;
        rowIdBeforeSave_ = lastRowId_;
    }
    // Attributes in order, then the row key, from parameter `first` on.
    const auto bindRow = [](SqliteStatement& insert, int first, const Entity& object, std::int64_t rowId) {
        for (int attribute = 0; attribute < Entity::attributeCount; ++attribute)
            Traits::withField(attribute, [&](auto field) { bindAttribute(insert, first + attribute, object.values_.*field); });
        insert.bindInt64(first + Entity::attributeCount, rowId);
    };
    const auto writeRow = [&](const Entity& object, std::int64_t rowId) -> Result<void> {
        auto single = statement(database, insert_, Traits::insert);
        if (!single)
            return single.error();
        bindRow(*single.value(), 1, object, rowId);
        return run(*single.value());
    };
    const auto writeSingle = [&](const Entity& object) -> Result<void> {
        if (auto done = writeRow(object, *lastRowId_ + 1); !done)
            return done;
        newRowIds_.push_back(++*lastRowId_);
        return {};
    };
    // A row brought back under its old key, below keys other connections already know: the
    // change log tells them.
    const auto writeRestored = [&](const Entity& object) -> Result<void> {
        if (auto done = writeRow(object, object.formerRowId_); !done)
            return done;
        auto log = statement(database, logRestored_, "INSERT INTO ChangeLog (entity, pk) VALUES (?1, ?2)");
        if (!log)
            return log.error();
        log.value()->bindInt64(1, Traits::logCode);
        log.value()->bindInt64(2, object.formerRowId_);
        return run(*log.value());
    };
    // The key of a member of a written group (restored rows were written on their own).
    const auto groupKey = [&](const Entity& object) {
        return object.deleted_ ? 0 : object.formerRowId_ ? object.formerRowId_ : ++*lastRowId_;
    };
    // Whole groups of rowsPerInsert rows while enough are left, single rows for the rest.
    int bound = 0; // rows bound in the multi-row statement, from inserted_[newRowIds_.size()] on
    for (std::size_t index = newRowIds_.size(); index < inserted_.size(); ++index) {
        const Entity& object = *inserted_[index];
        if (object.deleted_ || object.formerRowId_) {
            if (!object.deleted_)
                if (auto written = writeRestored(object); !written)
                    return written;
            if (bound == 0)
                newRowIds_.push_back(object.deleted_ ? 0 : object.formerRowId_);
            continue; // inside a group: numbered when the group is written
        }
        if (bound == 0 && inserted_.size() - index < static_cast<std::size_t>(rowsPerInsert)) {
            if (auto written = writeSingle(object); !written)
                return written;
            continue;
        }
        auto many = statement(database, insertMany_, multiRowInsert<Entity>());
        if (!many)
            return many.error();
        bindRow(*many.value(), bound * columns + 1, object, *lastRowId_ + 1 + bound);
        if (++bound < rowsPerInsert)
            continue;
        if (auto done = run(*many.value()); !done)
            return done;
        for (std::size_t member = newRowIds_.size(); member <= index; ++member)
            newRowIds_.push_back(groupKey(*inserted_[member]));
        bound = 0;
    }
    // A group cut short at the end: its rows one by one.
    for (std::size_t member = newRowIds_.size(); member < inserted_.size(); ++member) {
        const Entity& object = *inserted_[member];
        if (object.deleted_ || object.formerRowId_)
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
    const auto removeRow = [&](std::int64_t& rowId) -> Result<void> {
        auto remover = statement(database, remove_, EntityTraits<Entity>::remove);
        if (!remover)
            return remover.error();
        remover.value()->bindInt64(1, std::exchange(rowId, 0));
        return run(*remover.value());
    };
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
        std::erase_if(stored_, [](const std::shared_ptr<Entity>& object) {
            if (!object->deleted_)
                return false;
            const std::int64_t rowId = object->rowId_;
            detach(*object);
            object->formerRowId_ = rowId;
            return true;
        });
    }
    changed_.clear();
    for (std::size_t index = 0; index < inserted_.size(); ++index) {
        const auto& object = inserted_[index];
        if (object->deleted_) {
            detach(*object);
            continue;
        }
        attach(*object, newRowIds_[index]);
        // Row ids only grow (RowSequence), but another connection's rows merged later may
        // sit between ours: keep the registry ordered either way.
        if (stored_.empty() || stored_.back()->rowId_ < object->rowId_)
            stored_.push_back(object);
        else
            stored_.insert(std::upper_bound(stored_.begin(), stored_.end(), object->rowId_,
                                            [](std::int64_t id, const auto& other) { return id < other->rowId_; }),
                           object);
    }
    // Nobody else added rows since the last merge (keys are handed out under the write
    // lock): the rows up to ours are all known.
    if (rowIdBeforeSave_ && lastRowId_ && *rowIdBeforeSave_ == knownRowId_)
        knownRowId_ = *lastRowId_;
    Objects().swap(inserted_);
    std::vector<std::int64_t>().swap(newRowIds_);
    lastRowId_.reset();
    rowIdBeforeSave_.reset();
    pendingDeletes_ = 0;
    takenBackInserts_ = 0;
}

template <class Entity>
bool EntityTable<Entity>::rollback()
{
    bool changed = !changed_.empty() || pendingDeletes_ > 0 || inserted_.size() > takenBackInserts_;
    if (pendingDeletes_ > 0) {
        for (const auto& object : stored_) {
            if (std::exchange(object->deleted_, false))
                changes_.inserted(object);
        }
    }
    while (!changed_.empty())
        restoreCommitted(*const_cast<Entity*>(changed_.begin()->first));
    for (const auto& object : inserted_) {
        if (!object->deleted_)
            changes_.deleted(object);
        detach(*object);
        object->deleted_ = false;
    }
    Objects().swap(inserted_);
    pendingDeletes_ = 0;
    takenBackInserts_ = 0;
    return changed;
}

template <class Entity>
bool EntityTable<Entity>::forgetLostRows()
{
    if (lostRows_.empty())
        return false;
    for (const auto& object : std::exchange(lostRows_, {})) {
        if (object->lifecycle_ != Lifecycle::Stored)
            continue;
        auto place = std::lower_bound(stored_.begin(), stored_.end(), object->rowId_,
                                      [](const auto& other, std::int64_t id) { return other->rowId_ < id; });
        if (place != stored_.end() && *place == object)
            stored_.erase(place);
        forget(object);
    }
    return true;
}

template <class Entity>
void EntityTable<Entity>::restoreCommitted(Entity& object)
{
    auto snapshot = changed_.find(&object);
    if (snapshot == changed_.end())
        return;
    object.values_ = snapshot->second.committed;
    if (!object.deleted_)
        changes_.updated(shared(object), snapshot->second.changedAttributes);
    changed_.erase(snapshot);
}

template <class Entity>
std::shared_ptr<Entity> EntityTable<Entity>::shared(Entity& object)
{
    return std::static_pointer_cast<Entity>(object.shared_from_this());
}

template <class Entity>
Result<bool> EntityTable<Entity>::mergeCommitted(SqliteDatabase& database)
{
    auto marks = readWatermarks(database);
    if (!marks)
        return marks.error();
    if (!loaded_) {
        // Nothing held yet: the next fetch reads the new state. Whether there is one: new
        // keys, or log entries for this entity.
        if (!watermarksRead_) {
            watermarksRead_ = true;
            knownRowId_ = marks.value().rowId;
            logSeen_ = marks.value().logEnd;
            return true;
        }
        auto logged = loggedSince(database);
        if (!logged)
            return logged.error();
        const bool changed = marks.value().rowId != knownRowId_ || !logged.value().empty();
        knownRowId_ = marks.value().rowId;
        logSeen_ = marks.value().logEnd;
        return changed;
    }
    // The log was trimmed past the entries not yet read.
    if (marks.value().logStart > logSeen_ + 1)
        return synchronize(database);
    return mergeLogged(database, marks.value().logEnd);
}

// Watermarks are read before the rows: what is committed in between is read again by the
// next merge, which changes nothing the second time.
template <class Entity>
Result<typename EntityTable<Entity>::Watermarks> EntityTable<Entity>::readWatermarks(SqliteDatabase& database)
{
    Watermarks marks;
    auto bounds = statement(database, logBounds_, "SELECT coalesce(max(seq), 0), coalesce(min(seq), 0) FROM ChangeLog");
    if (!bounds)
        return bounds.error();
    auto row = bounds.value()->step();
    if (row && row.value()) {
        marks.logEnd = bounds.value()->columnInt64(0);
        marks.logStart = bounds.value()->columnInt64(1);
    }
    bounds.value()->reset();
    if (!row)
        return row.error();
    auto last = statement(database, lastRowIdQuery_, EntityTraits<Entity>::lastRowId);
    if (!last)
        return last.error();
    row = last.value()->step();
    if (row && row.value())
        marks.rowId = last.value()->columnInt64(0);
    last.value()->reset();
    if (!row)
        return row.error();
    return marks;
}

// The keys of this entity's rows the log names after logSeen_, sorted, each once.
template <class Entity>
Result<std::vector<std::int64_t>> EntityTable<Entity>::loggedSince(SqliteDatabase& database)
{
    std::vector<std::int64_t> logged;
    auto since = statement(database, logSince_, "SELECT pk FROM ChangeLog WHERE seq > ?1 AND entity = ?2");
    if (!since)
        return since.error();
    since.value()->bindInt64(1, logSeen_);
    since.value()->bindInt64(2, EntityTraits<Entity>::logCode);
    if (auto read = forEachRow(*since.value(), [&](const SqliteStatement& row) { logged.push_back(row.columnInt64(0)); }); !read)
        return read.error();
    std::sort(logged.begin(), logged.end());
    logged.erase(std::unique(logged.begin(), logged.end()), logged.end());
    return logged;
}

template <class Entity>
std::shared_ptr<Entity> EntityTable<Entity>::storedObject(std::int64_t rowId) const
{
    auto place = std::lower_bound(stored_.begin(), stored_.end(), rowId,
                                  [](const auto& object, std::int64_t id) { return object->rowId_ < id; });
    return place != stored_.end() && (*place)->rowId_ == rowId ? *place : nullptr;
}

// The rows above knownRowId_ (new, or this context's own newest), then the rows the log names.
template <class Entity>
Result<bool> EntityTable<Entity>::mergeLogged(SqliteDatabase& database, std::int64_t logEnd)
{
    using Traits = EntityTraits<Entity>;
    auto loggedKeys = loggedSince(database);
    if (!loggedKeys)
        return loggedKeys.error();
    const std::vector<std::int64_t>& logged = loggedKeys.value();

    bool changed = false;
    Objects arrived;
    Values values;
    // Merges one row read by `rows` into the registry.
    const auto mergeOne = [&](SqliteStatement& rows) {
        const std::int64_t rowId = rows.columnInt64(0);
        if (auto object = storedObject(rowId)) {
            readValues<Entity>(rows, values);
            if (const std::uint32_t merged = mergeRow(*object, values)) {
                changed = true;
                if (!object->deleted_)
                    changes_.updated(object, merged);
            }
            return;
        }
        auto object = std::make_shared<Entity>();
        readValues<Entity>(rows, object->values_);
        attach(*object, rowId);
        changes_.inserted(object);
        arrived.push_back(std::move(object));
        changed = true;
    };

    std::int64_t highest = knownRowId_;
    auto after = statement(database, selectAfter_, Traits::selectAfter);
    if (!after)
        return after.error();
    after.value()->bindInt64(1, knownRowId_);
    auto read = forEachRow(*after.value(), [&](SqliteStatement& row) {
        highest = std::max(highest, row.columnInt64(0));
        mergeOne(row);
    });
    if (!read)
        return read.error();

    Objects vanished;
    auto one = statement(database, selectOne_, Traits::selectOne);
    if (!one)
        return one.error();
    for (std::int64_t rowId : logged) {
        if (rowId > knownRowId_)
            continue; // read with the new rows
        one.value()->bindInt64(1, rowId);
        auto row = one.value()->step();
        if (row && row.value())
            mergeOne(*one.value());
        one.value()->reset();
        if (!row)
            return row.error();
        if (!row.value()) {
            if (auto object = storedObject(rowId))
                vanished.push_back(std::move(object));
        }
    }

    // Nothing in memory changed shape before every read succeeded.
    if (!vanished.empty()) {
        for (const auto& object : vanished)
            forget(object);
        std::erase_if(stored_, [](const auto& object) { return object->lifecycle_ == Lifecycle::Detached; });
        changed = true;
    }
    if (!arrived.empty()) {
        // Mostly above every known key: appended; another writer's rows below this context's
        // newest ones are put in their place.
        const auto byRowId = [](const auto& a, const auto& b) { return a->rowId_ < b->rowId_; };
        std::sort(arrived.begin(), arrived.end(), byRowId);
        const auto middle = stored_.insert(stored_.end(), arrived.begin(), arrived.end());
        if (middle != stored_.begin() && (*(middle - 1))->rowId_ > arrived.front()->rowId_)
            std::inplace_merge(stored_.begin(), middle, stored_.end(), byRowId);
    }
    knownRowId_ = highest;
    logSeen_ = logEnd;
    return changed;
}

template <class Entity>
Result<void> EntityTable<Entity>::ensureLoaded(SqliteDatabase& database)
{
    if (loaded_)
        return {};
    auto loaded = synchronize(database);
    if (!loaded)
        return loaded.error();
    return {};
}

template <class Entity>
Result<bool> EntityTable<Entity>::synchronize(SqliteDatabase& database)
{
    auto marks = readWatermarks(database);
    if (!marks)
        return marks.error();
    auto selected = statement(database, selectAll_, EntityTraits<Entity>::selectAll);
    if (!selected)
        return selected.error();
    SqliteStatement& rows = *selected.value();

    // Merge-join of the rows (by pk) with the registry (by row id). Nothing is dropped from
    // the registry before the whole read succeeded.
    Objects next;
    next.reserve(stored_.size());
    Objects vanished;
    bool changed = false;
    std::size_t known = 0;
    Values row;
    for (;;) {
        auto step = rows.step();
        if (!step) {
            rows.reset();
            return step.error();
        }
        if (!step.value())
            break;
        const std::int64_t rowId = rows.columnInt64(0);
        for (; known < stored_.size() && stored_[known]->rowId_ < rowId; ++known)
            vanished.push_back(stored_[known]);
        if (known < stored_.size() && stored_[known]->rowId_ == rowId) {
            readValues<Entity>(rows, row);
            Entity& object = *stored_[known];
            if (const std::uint32_t merged = mergeRow(object, row)) {
                changed = true;
                if (!object.deleted_)
                    changes_.updated(stored_[known], merged);
            }
            next.push_back(stored_[known++]);
        } else {
            auto object = std::make_shared<Entity>();
            readValues<Entity>(rows, object->values_); // straight into the new object
            attach(*object, rowId);
            if (loaded_) // the first load shows what was there all along
                changes_.inserted(object);
            next.push_back(std::move(object));
            changed = true;
        }
    }
    rows.reset();
    for (; known < stored_.size(); ++known)
        vanished.push_back(stored_[known]);
    for (const auto& object : vanished)
        forget(object);
    changed |= !vanished.empty();
    stored_.swap(next);
    loaded_ = true;
    knownRowId_ = std::max(marks.value().rowId, stored_.empty() ? 0 : stored_.back()->rowId_);
    logSeen_ = marks.value().logEnd;
    watermarksRead_ = true;
    return changed;
}

// The attributes whose visible value changed (bit n = attribute n).
template <class Entity>
std::uint32_t EntityTable<Entity>::mergeRow(Entity& object, const Values& row)
{
    auto snapshot = changed_.find(&object);
    const bool hasSnapshot = snapshot != changed_.end();
    Values& committed = hasSnapshot ? snapshot->second.committed : object.values_;
    const std::uint32_t ownChanges = hasSnapshot ? snapshot->second.changedAttributes : 0;
    std::uint32_t visible = 0;
    for (int attribute = 0; attribute < Entity::attributeCount; ++attribute) {
        EntityTraits<Entity>::withField(attribute, [&](auto field) {
            if (sameAttributeValue(committed.*field, row.*field))
                return;
            committed.*field = row.*field;
            if (ownChanges & (1u << attribute))
                return; // this context's unsaved value wins
            if (hasSnapshot)
                object.values_.*field = row.*field;
            visible |= 1u << attribute;
        });
    }
    return visible;
}

template <class Entity>
void EntityTable<Entity>::forget(const std::shared_ptr<Entity>& object)
{
    if (object->deleted_)
        --pendingDeletes_;
    else
        changes_.deleted(object);
    changed_.erase(object.get());
    detach(*object);
    object->deleted_ = true;
}

template <class Entity>
void EntityTable<Entity>::attach(Entity& object, std::int64_t rowId)
{
    object.context_ = &context_;
    object.rowId_ = rowId;
    object.formerRowId_ = 0;
    object.lifecycle_ = Lifecycle::Stored;
}

template <class Entity>
void EntityTable<Entity>::detach(Entity& object)
{
    object.context_ = nullptr;
    object.rowId_ = 0;
    object.lifecycle_ = Lifecycle::Detached;
}

template <class Entity>
Result<SqliteStatement*> EntityTable<Entity>::statement(
    SqliteDatabase& database, std::optional<SqliteStatement>& slot, const char* sql)
{
    if (!slot) {
        auto prepared = SqliteStatement::prepare(database, sql);
        if (!prepared)
            return prepared.error();
        slot.emplace(std::move(prepared).value());
    }
    return &*slot;
}

template class EntityTable<BalanceEntry>;
template class EntityTable<TSXYear>;
