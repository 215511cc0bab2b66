// The registry: which objects are stored, inserted, deleted or changed, in memory.
#include "model/store/EntityTable.h"

#include "model/store/EntitySort.h"
#include "model/store/EntityTraits.h"

#include <algorithm>
#include <utility>

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
        // Its turn, until it is stored (a restored object keeps its key instead; it takes a
        // turn all the same, so that turns count the places in inserted_).
        ++insertTurns_;
        if (!object->restored_)
            object->rowId_ = static_cast<std::int64_t>(insertTurns_);
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
    if (object->lifecycle_ == Lifecycle::Inserted) {
        ++takenBackInserts_;
    } else {
        ++pendingDeletes_;
        removedRowIds_.push_back(object->rowId_);
    }
    changes_.deleted(object);
    return true;
}

template <class Entity>
void EntityTable<Entity>::willChange(Entity& object, int attribute)
{
    if (!object.deleted_ && object.lifecycle_ != Lifecycle::Detached && !changes_.updatedIfRecorded(object, 1u << attribute))
        changes_.updated(shared(object), 1u << attribute);
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
    // The visible objects are copied in the registry's order, the order they lie in memory;
    // copied in sorted order instead, every copy's count change waited on memory in turn (a
    // million objects spread over 144 MB). The sort then moves the copies.
    Objects visible;
    visible.reserve(stored_.size() - pendingDeletes_ + inserted_.size() - takenBackInserts_);
    for (const auto& object : stored_)
        if (!object->deleted_)
            visible.push_back(object);
    bool restored = false;
    for (const auto& object : inserted_) {
        if (!object->deleted_) {
            visible.push_back(object);
            restored |= object->restored_;
        }
    }
    std::vector<entity_sort::Slot<Entity>> slots;
    slots.reserve(visible.size());
    for (const auto& object : visible)
        slots.push_back(&object);
    // Rows brought back by an undo sit among the stored ones, in key order.
    if (restored)
        std::stable_sort(slots.begin(), slots.end(), [](auto a, auto b) { return FetchOrder::of(**a) < FetchOrder::of(**b); });
    entity_sort::sortByAttribute(slots, sortAttribute, direction);
    Objects objects;
    objects.reserve(visible.size());
    // (The copies are read in sorted order: asked for some places ahead, the waits overlap.)
    constexpr std::size_t prefetchDistance = 16;
    for (std::size_t index = 0; index < slots.size(); ++index) {
        if (index + prefetchDistance < slots.size())
            __builtin_prefetch(slots[index + prefetchDistance]);
        objects.push_back(std::move(*const_cast<std::shared_ptr<Entity>*>(slots[index]))); // (slots point into `visible`)
    }
    return objects;
}

template <class Entity>
Result<std::int64_t> EntityTable<Entity>::count(SqliteDatabase& database)
{
    const auto pendingInserts = static_cast<std::int64_t>(inserted_.size() - takenBackInserts_);
    const auto deletes = static_cast<std::int64_t>(pendingDeletes_);
    if (loaded_)
        return static_cast<std::int64_t>(stored_.size()) - deletes + pendingInserts;
    auto counter = count_.get(database, EntityTraits<Entity>::count);
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
    removedRowIds_.clear();
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
void EntityTable<Entity>::dropStored(const std::vector<std::pair<std::int64_t, std::int64_t>>& keyRuns)
{
    const auto byKey = [](const auto& object, std::int64_t key) { return object->rowId_ < key; };
    // Each run's objects stand together in the registry (no other key lies between); the
    // objects kept move down over them in one pass, whatever the number of runs.
    auto kept = stored_.begin(), from = stored_.begin();
    for (const auto& [firstKey, lastKey] : keyRuns) {
        const auto first = std::lower_bound(from, stored_.end(), firstKey, byKey);
        const auto end = std::lower_bound(first, stored_.end(), lastKey + 1, byKey);
        kept = std::move(from, first, kept);
        for (auto object = first; object != end; ++object) {
            changed_.erase(object->get()); // (an edit made since is moot)
            (*object)->deleted_ = true;
            releaseDeleted(**object);
        }
        from = end;
    }
    kept = std::move(from, stored_.end(), kept);
    stored_.erase(kept, stored_.end());
}

template <class Entity>
std::shared_ptr<Entity> EntityTable<Entity>::shared(Entity& object) const
{
    switch (object.lifecycle_) {
    case Lifecycle::Stored: {
        auto found = storedObject(object.rowId_);
        return found.get() == &object ? found : nullptr;
    }
    case Lifecycle::Inserted: {
        if (object.restored_) { // (rare: brought back by an undo)
            auto place = std::find_if(inserted_.rbegin(), inserted_.rend(), [&](const auto& other) { return other.get() == &object; });
            return place != inserted_.rend() ? *place : nullptr;
        }
        // inserted_ holds the turns since the last save or rollback, one after another.
        const auto place = static_cast<std::uint64_t>(object.rowId_) - (insertTurns_ - inserted_.size()) - 1;
        return place < inserted_.size() && inserted_[place].get() == &object ? inserted_[place] : nullptr;
    }
    case Lifecycle::Detached: break;
    }
    return nullptr;
}

template <class Entity>
std::vector<std::size_t> EntityTable<Entity>::pendingDeletePositions()
{
    std::ranges::sort(removedRowIds_);
    removedRowIds_.erase(std::unique(removedRowIds_.begin(), removedRowIds_.end()), removedRowIds_.end());
    std::vector<std::size_t> positions;
    for (const std::int64_t rowId : removedRowIds_) {
        const auto place = std::lower_bound(stored_.begin(), stored_.end(), rowId, [](const auto& object, std::int64_t id) { return object->rowId_ < id; });
        if (place != stored_.end() && (*place)->rowId_ == rowId && (*place)->deleted_)
            positions.push_back(std::size_t(place - stored_.begin()));
    }
    if (positions.size() == pendingDeletes_)
        return positions;
    positions.clear();
    for (std::size_t i = 0; i < stored_.size(); ++i)
        if (stored_[i]->deleted_)
            positions.push_back(i);
    return positions;
}

template <class Entity>
std::shared_ptr<Entity> EntityTable<Entity>::storedObject(std::int64_t rowId) const
{
    auto place = std::lower_bound(stored_.begin(), stored_.end(), rowId,
                                  [](const auto& object, std::int64_t id) { return object->rowId_ < id; });
    return place != stored_.end() && (*place)->rowId_ == rowId ? *place : nullptr;
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
    object.restored_ = false;
    object.lifecycle_ = Lifecycle::Stored;
}

template <class Entity>
void EntityTable<Entity>::releaseDeleted(Entity& object)
{
    const std::int64_t rowId = object.rowId_;
    detach(object);
    object.rowId_ = rowId; // kept, so that an undo brings the row back under its key
    object.restored_ = true;
}

template <class Entity>
void EntityTable<Entity>::detach(Entity& object)
{
    object.context_ = nullptr;
    if (!object.restored_) // (a restored object keeps its former key)
        object.rowId_ = 0;
    object.lifecycle_ = Lifecycle::Detached;
}

// The save and the merge instantiate their own members, in their files.
template class EntityTable<BalanceEntry>;
template class EntityTable<TSXYear>;
