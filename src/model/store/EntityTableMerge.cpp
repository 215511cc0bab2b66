// Reading what is committed: the first load, and merging what other connections committed
// since into the registry.
#include "model/store/EntityTable.h"

#include "model/AttributeValue.h"
#include "model/store/AttributeColumns.h"
#include "model/store/EntityTraits.h"

#include <algorithm>
#include <utility>

namespace {
// Reads the columns after `pk` of the current row into `values`.
template <class Entity>
void readValues(const SqliteStatement& statement, typename Entity::Values& values)
{
    for (int attribute = 0; attribute < Entity::attributeCount; ++attribute)
        EntityTraits<Entity>::withField(attribute, [&](auto field) { readAttribute(statement, attribute + 1, values.*field); });
}
} // namespace

template <class Entity>
Result<bool> EntityTable<Entity>::mergeCommitted(SqliteDatabase& database)
{
    if (mergeHolds_ > 0)
        return false;
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

template <class Entity>
void EntityTable<Entity>::adopt(Objects&& byRowId)
{
    if (byRowId.empty())
        return;
    const auto byKey = [](const auto& a, const auto& b) { return a->rowId_ < b->rowId_; };
    const auto middle = stored_.insert(stored_.end(), std::make_move_iterator(byRowId.begin()), std::make_move_iterator(byRowId.end()));
    if (middle != stored_.begin() && (*(middle - 1))->rowId_ > (*middle)->rowId_)
        std::inplace_merge(stored_.begin(), middle, stored_.end(), byKey);
    knownRowId_ = std::max(knownRowId_, stored_.back()->rowId_);
    byRowId.clear();
}

template <class Entity>
Result<std::int64_t> EntityTable<Entity>::logEnd(SqliteDatabase& database)
{
    auto marks = readWatermarks(database);
    if (!marks)
        return marks.error();
    return marks.value().logEnd;
}

// Watermarks are read before the rows: what is committed in between is read again by the
// next merge, which changes nothing the second time.
template <class Entity>
Result<typename EntityTable<Entity>::Watermarks> EntityTable<Entity>::readWatermarks(SqliteDatabase& database)
{
    Watermarks marks;
    auto bounds = logBounds_.get(database, "SELECT coalesce(max(seq), 0), coalesce(min(seq), 0) FROM ChangeLog");
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
    auto last = lastRowIdQuery_.get(database, EntityTraits<Entity>::lastRowId);
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
    auto since = logSince_.get(database, "SELECT pk FROM ChangeLog WHERE seq > ?1 AND entity = ?2");
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
    auto after = selectAfter_.get(database, Traits::selectAfter);
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
    auto one = selectOne_.get(database, Traits::selectOne);
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
    auto selected = selectAll_.get(database, EntityTraits<Entity>::selectAll);
    if (!selected)
        return selected.error();
    SqliteStatement& rows = *selected.value();

    // Merge-join of the rows (by pk) with the registry (by row id). Nothing is dropped from
    // the registry before the whole read succeeded.
    Objects next;
    // The first load reserves for the highest key (no more rows than that): the registry is
    // not left up to twice the size it needs by growing while a million rows arrive.
    next.reserve(loaded_ ? stored_.size() : static_cast<std::size_t>(std::max<std::int64_t>(marks.value().rowId, 0)));
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
    if (next.capacity() - next.size() > next.size() / 8) // many rows deleted since
        next.shrink_to_fit();
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


// This file's members only: the class is instantiated with the registry.
#define CORVANTA_INSTANTIATE_MERGE(Entity)                                                                    \
    template Result<bool> EntityTable<Entity>::mergeCommitted(SqliteDatabase&);                              \
    template void EntityTable<Entity>::adopt(Objects&&);                                                     \
    template Result<std::int64_t> EntityTable<Entity>::logEnd(SqliteDatabase&);                              \
    template Result<EntityTable<Entity>::Watermarks> EntityTable<Entity>::readWatermarks(SqliteDatabase&);    \
    template Result<std::vector<std::int64_t>> EntityTable<Entity>::loggedSince(SqliteDatabase&);            \
    template Result<bool> EntityTable<Entity>::mergeLogged(SqliteDatabase&, std::int64_t);                   \
    template Result<void> EntityTable<Entity>::ensureLoaded(SqliteDatabase&);                                \
    template Result<bool> EntityTable<Entity>::synchronize(SqliteDatabase&);                                 \
    template std::uint32_t EntityTable<Entity>::mergeRow(Entity&, const Values&);
CORVANTA_INSTANTIATE_MERGE(BalanceEntry)
CORVANTA_INSTANTIATE_MERGE(TSXYear)
