#include "model/LiveResult.h"

#include "model/CommittedEntries.h"

#include "model/ReleaseOffThread.h"
#include "model/store/EntitySort.h"

#include <QDeadlineTimer>

#include <algorithm>
#include <unordered_set>

namespace {
// Inserting this many scattered runs one by one would shift the list too often: one reset
// (a single merge) is cheaper for the listener too.
constexpr std::size_t maxShiftedElements = 20'000'000;
// Steps of an adoption's preparation between two looks at the clock.
constexpr std::size_t stepsPerCheck = 1024;
} // namespace

template <class Entity>
LiveResult<Entity>::LiveResult(ObjectContext& context, typename Entity::Attribute sortKey, SortDirection direction)
    : context_(context), sortKey_(sortKey), direction_(direction)
{
    QObject::connect(&context, &ObjectContext::objectsDidChange, &receiver_, [this](const ChangeSet& changes) { apply(changes); });
    if constexpr (std::is_same_v<Entity, BalanceEntry>)
        context.addAdoptionListener(this);
}

template <class Entity>
LiveResult<Entity>::~LiveResult()
{
    if constexpr (std::is_same_v<Entity, BalanceEntry>)
        context_.removeAdoptionListener(this);
}

template <class Entity>
Result<void> LiveResult<Entity>::fetch()
{
    auto fetched = [&] {
        if constexpr (std::is_same_v<Entity, BalanceEntry>)
            return context_.fetchBalanceEntries(sortKey_, direction_);
        else
            return context_.fetchTSXYears(sortKey_, direction_);
    }();
    if (!fetched)
        return fetched.error();
    if (listener_)
        listener_->willReset();
    auto& fetchedObjects = fetched.value();
    adoption_.reset(); // prepared for the list replaced
    objects_.assign(std::make_move_iterator(fetchedObjects.begin()), std::make_move_iterator(fetchedObjects.end()));
    fetched_ = true;
    if (listener_)
        listener_->didReset();
    return {};
}

template <class Entity>
int LiveResult<Entity>::indexOf(const Entity& object) const
{
    std::size_t row = lowerBound(object);
    if (!isAt(row, object)) {
        auto found = std::find_if(objects_.begin(), objects_.end(), [&](const auto& other) { return other.get() == &object; });
        row = static_cast<std::size_t>(found - objects_.begin());
    }
    return row < objects_.size() ? static_cast<int>(row) : -1;
}

template <class Entity>
bool LiveResult<Entity>::before(const Entity& a, const Entity& b) const
{
    if (const int order = entity_sort::compareByAttribute(a, b, sortKey_, direction_))
        return order < 0;
    return FetchOrder::of(a) < FetchOrder::of(b);
}

template <class Entity>
std::size_t LiveResult<Entity>::lowerBound(const Entity& object) const
{
    auto place = std::lower_bound(objects_.begin(), objects_.end(), object,
                                  [this](const auto& listed, const Entity& sought) { return before(*listed, sought); });
    return static_cast<std::size_t>(place - objects_.begin());
}

template <class Entity>
void LiveResult<Entity>::apply(const ChangeSet& changes)
{
    if (!fetched_)
        return;
    const EntityChanges<Entity>& own = changes.of<Entity>();
    if (adoption_ && (changes.reset || !own.inserted.empty() || !own.deleted.empty() || !own.updated.empty()))
        adoption_.reset(); // prepared for the list as it was
    if (changes.reset) {
        // A failed reload keeps the list; the listener still hears of the change set.
        (void)fetch();
    } else if (!changes.of<Entity>().isEmpty()) {
        applyChanges(changes.of<Entity>());
    }
    if (listener_)
        listener_->didApply(changes);
}

// In four steps, each leaving the list sorted for the next: rows leave (deleted objects, and
// objects whose sort key changed when more than one did), the one re-sorted object moves,
// new objects come in, and the rows whose attributes changed are announced.
template <class Entity>
void LiveResult<Entity>::applyChanges(const EntityChanges<Entity>& changes)
{
    const std::uint32_t sortBit = 1u << sortKey_;
    std::vector<const Entity*> leaving;
    for (const auto& object : changes.deleted)
        leaving.push_back(object.get());
    if (changes.dropped && !isAdoptedIn(changes.dropped)) // not prepared for: at once
        for (const auto& object : *changes.dropped)
            leaving.push_back(object.get());
    std::vector<const Entity*> resorted;
    for (const auto& update : changes.updated)
        if (update.attributes & sortBit)
            resorted.push_back(update.object.get());
    const bool moveOne = resorted.size() == 1;
    if (!moveOne)
        leaving.insert(leaving.end(), resorted.begin(), resorted.end());

    // Where the leaving objects stand: their values may have changed since they were placed
    // (always so for re-sorted ones), so what a binary search misses one scan finds.
    std::vector<std::size_t> rows;
    std::unordered_set<const Entity*> unplaced;
    const auto locate = [&](const Entity* object) {
        const std::size_t row = lowerBound(*object);
        if (isAt(row, *object))
            rows.push_back(row);
        else
            unplaced.insert(object);
    };
    for (const Entity* object : leaving)
        locate(object);
    std::size_t movedRow = objects_.size();
    if (moveOne) {
        movedRow = lowerBound(*resorted.front());
        if (!isAt(movedRow, *resorted.front())) {
            movedRow = objects_.size();
            unplaced.insert(resorted.front());
        }
    }
    if (!unplaced.empty()) {
        for (std::size_t row = 0; row < objects_.size(); ++row) {
            if (!unplaced.contains(objects_[row].get()))
                continue;
            if (moveOne && objects_[row].get() == resorted.front())
                movedRow = row;
            else
                rows.push_back(row);
        }
    }
    if (movedRow < objects_.size())
        movedRow -= std::count_if(rows.begin(), rows.end(), [&](std::size_t row) { return row < movedRow; });
    removeRows(std::move(rows));
    if (movedRow < objects_.size())
        moveRow(movedRow);

    std::vector<std::shared_ptr<Entity>> arriving = changes.inserted;
    if (!moveOne)
        for (const auto& update : changes.updated)
            if (update.attributes & sortBit)
                arriving.push_back(update.object);
    if (changes.adopted && !isAdoptedIn(changes.adopted)) // not prepared for: at once
        arriving.insert(arriving.end(), changes.adopted->begin(), changes.adopted->end());
    insertObjects(std::move(arriving));

    std::vector<std::pair<std::size_t, std::uint32_t>> updates;
    for (const auto& update : changes.updated) {
        if ((update.attributes & sortBit) && !moveOne)
            continue; // came in anew
        const std::size_t row = lowerBound(*update.object);
        if (isAt(row, *update.object))
            updates.emplace_back(row, update.attributes);
    }
    announceUpdates(updates);
}

// Removes the rows (of the list as it is), as runs of adjacent rows from the last one up.
template <class Entity>
void LiveResult<Entity>::removeRows(std::vector<std::size_t> rows)
{
    std::sort(rows.begin(), rows.end(), std::greater<>());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (std::size_t run = 0; run < rows.size();) {
        std::size_t end = run + 1;
        while (end < rows.size() && rows[end] + 1 == rows[end - 1])
            ++end;
        const std::size_t first = rows[end - 1], last = rows[run];
        if (listener_)
            listener_->willRemove(static_cast<int>(first), static_cast<int>(last));
        objects_.erase(objects_.begin() + static_cast<std::ptrdiff_t>(first), objects_.begin() + static_cast<std::ptrdiff_t>(last) + 1);
        if (listener_)
            listener_->didRemove();
        run = end;
    }
}

// Puts the object at `from`, whose sort key changed, where it now belongs.
template <class Entity>
void LiveResult<Entity>::moveRow(std::size_t from)
{
    const Entity& object = *objects_[from];
    // A binary search over the list without the moving row.
    std::size_t low = 0, high = objects_.size() - 1;
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        const std::size_t row = middle < from ? middle : middle + 1;
        if (before(*objects_[row], object))
            low = middle + 1;
        else
            high = middle;
    }
    if (low == from)
        return; // stays where it is
    const std::size_t to = low < from ? low : low + 1; // before this row of the list as it is
    if (listener_)
        listener_->willMove(static_cast<int>(from), static_cast<int>(to));
    const auto at = [&](std::size_t row) { return objects_.begin() + static_cast<std::ptrdiff_t>(row); };
    if (to < from)
        std::rotate(at(to), at(from), at(from + 1));
    else
        std::rotate(at(from), at(from + 1), at(to));
    if (listener_)
        listener_->didMove();
}

// Inserts the objects where they belong, as runs of rows that stand together.
template <class Entity>
void LiveResult<Entity>::insertObjects(std::vector<std::shared_ptr<Entity>> objects)
{
    if (objects.empty())
        return;
    std::sort(objects.begin(), objects.end(), [this](const auto& a, const auto& b) { return before(*a, *b); });
    // Each run: its objects [begin, end) and the row they go before in the list as it is.
    struct Run {
        std::size_t begin, end, row;
    };
    std::vector<Run> runs;
    for (std::size_t index = 0; index < objects.size(); ++index) {
        const std::size_t row = lowerBound(*objects[index]);
        if (isAt(row, *objects[index]))
            continue; // already listed
        if (!runs.empty() && runs.back().row == row && runs.back().end == index)
            ++runs.back().end;
        else
            runs.push_back({index, index + 1, row});
    }
    if (runs.size() > 1 && runs.size() * objects_.size() > maxShiftedElements) {
        if (listener_)
            listener_->willReset();
        Objects merged;
        std::merge(objects_.begin(), objects_.end(), objects.begin(), objects.end(), std::back_inserter(merged),
                   [this](const auto& a, const auto& b) { return before(*a, *b); });
        objects_.swap(merged);
        if (listener_)
            listener_->didReset();
        return;
    }
    std::size_t shift = 0;
    for (const Run& run : runs) {
        const std::size_t first = run.row + shift, count = run.end - run.begin;
        if (listener_)
            listener_->willInsert(static_cast<int>(first), static_cast<int>(first + count - 1));
        objects_.insert(objects_.begin() + static_cast<std::ptrdiff_t>(first), objects.begin() + static_cast<std::ptrdiff_t>(run.begin),
                        objects.begin() + static_cast<std::ptrdiff_t>(run.end));
        if (listener_)
            listener_->didInsert();
        shift += count;
    }
}

// One announcement per run of adjacent rows with the same changed attributes.
template <class Entity>
void LiveResult<Entity>::announceUpdates(const std::vector<std::pair<std::size_t, std::uint32_t>>& unordered)
{
    if (!listener_ || unordered.empty())
        return;
    auto updates = unordered;
    std::sort(updates.begin(), updates.end());
    for (std::size_t run = 0; run < updates.size();) {
        std::size_t end = run + 1;
        while (end < updates.size() && updates[end].first == updates[end - 1].first + 1 && updates[end].second == updates[run].second)
            ++end;
        listener_->didUpdate(static_cast<int>(updates[run].first), static_cast<int>(updates[end - 1].first), updates[run].second);
        run = end;
    }
}

// The adoption or drop being prepared for `step`: the one under way, or a fresh one when the
// one under way was for another step.
template <class Entity>
template <class Step>
typename LiveResult<Entity>::Adoption& LiveResult<Entity>::preparing(Step Adoption::*field, const Step& step)
{
    if (!adoption_ || (*adoption_).*field != step) {
        adoption_ = std::make_unique<Adoption>();
        (*adoption_).*field = step;
    }
    return *adoption_;
}

template <class Entity>
bool LiveResult<Entity>::prepareAdoption(const Adopted& adopted, const QDeadlineTimer& deadline)
{
    if constexpr (!std::is_same_v<Entity, BalanceEntry>) {
        return true;
    } else {
        if (!fetched_ || isAdoptedIn(adopted))
            return true;
        preparing(&Adoption::adopted, adopted);
        return orderAdopted(deadline) && mergeAdopted(deadline);
    }
}

template <class Entity>
bool LiveResult<Entity>::orderAdopted(const QDeadlineTimer& deadline)
{
    if constexpr (std::is_same_v<Entity, BalanceEntry>) {
        Adoption& adoption = *adoption_;
        const auto& adopted = *adoption.adopted;
        if (adoption.ordered == adopted.size())
            return true;
        if (sortKey_ != BalanceEntry::Date) { // not met in the window: sorted at once
            adoption.incoming.assign(adopted.begin(), adopted.end());
            std::sort(adoption.incoming.begin(), adoption.incoming.end(), [this](const auto& a, const auto& b) { return before(*a, *b); });
            adoption.ordered = adopted.size();
            return true;
        }
        // By date ascending, equal dates by fetch order: descending takes the runs of equal
        // dates from the last, each still in fetch order.
        const bool ascending = direction_ == SortDirection::Ascending;
        for (std::size_t steps = 0; adoption.ordered < adopted.size(); ++steps) {
            if (steps % stepsPerCheck == 0 && deadline.hasExpired())
                return false;
            if (ascending) {
                adoption.incoming.push_back(adopted[adoption.ordered++]);
                continue;
            }
            const std::size_t end = adopted.size() - adoption.ordered;
            std::size_t begin = end - 1;
            while (begin > 0 && entity_sort::compareByAttribute(*adopted[begin - 1], *adopted[end - 1], sortKey_, direction_) == 0)
                --begin;
            adoption.incoming.insert(adoption.incoming.end(), adopted.begin() + std::ptrdiff_t(begin), adopted.begin() + std::ptrdiff_t(end));
            adoption.ordered += end - begin;
        }
        return true;
    } else {
        return true;
    }
}

template <class Entity>
bool LiveResult<Entity>::mergeAdopted(const QDeadlineTimer& deadline)
{
    Adoption& adoption = *adoption_;
    const auto& incoming = adoption.incoming;
    for (std::size_t steps = 0; adoption.fromList < objects_.size() || adoption.fromIncoming < incoming.size(); ++steps) {
        if (steps % stepsPerCheck == 0 && deadline.hasExpired())
            return false;
        const bool fromList = adoption.fromIncoming == incoming.size()
            || (adoption.fromList < objects_.size() && !before(*incoming[adoption.fromIncoming], *objects_[adoption.fromList]));
        adoption.merged.push_back(fromList ? objects_[adoption.fromList++] : incoming[adoption.fromIncoming++]);
    }
    return true;
}

template <class Entity>
bool LiveResult<Entity>::prepareDrop(const Dropped& dropped, const QDeadlineTimer& deadline)
{
    if constexpr (!std::is_same_v<Entity, BalanceEntry>) {
        return true;
    } else {
        if (!fetched_ || isAdoptedIn(dropped))
            return true;
        Adoption& drop = preparing(&Adoption::dropped, dropped);
        for (std::size_t steps = 0; drop.fromList < objects_.size(); ++steps) {
            if (steps % stepsPerCheck == 0 && deadline.hasExpired())
                return false;
            const auto& object = objects_[drop.fromList++];
            if (!dropped->contains(*object))
                drop.merged.push_back(object);
        }
        return true;
    }
}

template <class Entity>
void LiveResult<Entity>::finishAdoption()
{
    if (!adoption_)
        return;
    if (listener_)
        listener_->willReset();
    objects_.swap(adoption_->merged);
    if (adoption_->dropped)
        adoptedIn_ = adoption_->dropped;
    else
        adoptedIn_ = adoption_->adopted;
    releaseOffThread(std::move(adoption_)); // the list as it was
    if (listener_)
        listener_->didReset();
}

template class LiveResult<BalanceEntry>;
template class LiveResult<TSXYear>;
