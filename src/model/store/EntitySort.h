#pragma once

#include "analytics/Instant.h"
#include "analytics/Uuid.h"
#include "model/store/EntityTraits.h"
#include "model/ObjectContext.h"
#include "model/store/RadixSort.h"

#include <QString>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

// Sorting objects by one attribute. Equal keys keep their incoming order (the store's insertion
// order) in either direction; a missing value sorts before every present one.

namespace entity_sort {

// Integer keys for the numeric attributes, so that a million objects sort on a flat array
// instead of chasing pointers. Doubles map to their IEEE total order.
inline std::int64_t orderKey(const std::optional<Instant>& value)
{
    return value ? millisecondsOf(*value) : std::numeric_limits<std::int64_t>::min();
}
inline std::int64_t orderKey(double value)
{
    const auto bits = std::bit_cast<std::int64_t>(value);
    return bits < 0 ? bits ^ std::numeric_limits<std::int64_t>::max() : bits;
}
inline std::int64_t orderKey(std::int32_t value) { return value; }
inline std::int64_t orderKey(std::int16_t value) { return value; }

inline bool less(const std::optional<QString>& a, const std::optional<QString>& b)
{
    if (!a || !b)
        return !a && b;
    return QString::compare(*a, *b, Qt::CaseSensitive) < 0;
}
inline bool less(const std::optional<Uuid>& a, const std::optional<Uuid>& b)
{
    if (!a || !b)
        return !a && b;
    return *a < *b;
}

// Puts keys that never increase into ascending order in linear time: the whole run is
// reversed, then each run of equal keys is turned back so that ties keep their order.
template <class Payload>
void reverseStable(std::vector<std::pair<std::uint64_t, Payload>>& keys)
{
    std::reverse(keys.begin(), keys.end());
    for (auto first = keys.begin(); first != keys.end();) {
        auto last = std::find_if(first, keys.end(), [&](const auto& key) { return key.first != first->first; });
        std::reverse(first, last);
        first = last;
    }
}

// Sorting works on pointers to the registry's own shared pointers: the fetched list is then
// made once, in its final order.
template <class Entity>
using Slot = const std::shared_ptr<Entity>*;

template <class Entity, class T>
void sortByField(std::vector<Slot<Entity>>& slots, T Entity::Values::*field, SortDirection direction)
{
    const bool descending = direction == SortDirection::Descending;
    if constexpr (requires(const T& value) { orderKey(value); }) {
        if (slots.size() < 2)
            return;
        // Signed keys become unsigned ones of the same order; descending order is the
        // ascending order of the complement. The sort is stable, so ties keep their order.
        constexpr std::uint64_t signBit = std::uint64_t{1} << 63;
        std::vector<std::pair<std::uint64_t, Slot<Entity>>> keys;
        keys.reserve(slots.size());
        bool sorted = true;
        bool reversed = true;
        for (Slot<Entity> slot : slots) {
            std::uint64_t key = static_cast<std::uint64_t>(orderKey((*slot)->values().*field)) ^ signBit;
            if (descending)
                key = ~key;
            if (!keys.empty()) {
                sorted = sorted && keys.back().first <= key;
                reversed = reversed && keys.back().first >= key;
            }
            keys.emplace_back(key, slot);
        }
        if (sorted)
            return;
        if (reversed)
            reverseStable(keys); // the usual case: rows stored by date, listed newest first
        else
            radixSortByKey(keys);
        for (std::size_t i = 0; i < keys.size(); ++i)
            slots[i] = keys[i].second;
    } else {
        std::stable_sort(slots.begin(), slots.end(), [field, descending](Slot<Entity> a, Slot<Entity> b) {
            const T& left = (*a)->values().*field;
            const T& right = (*b)->values().*field;
            return descending ? less(right, left) : less(left, right);
        });
    }
}

template <class Entity>
void sortByAttribute(std::vector<Slot<Entity>>& slots, int attribute, SortDirection direction)
{
    EntityTraits<Entity>::withField(attribute, [&](auto field) { sortByField(slots, field, direction); });
}

// The order sortByAttribute gives, for two objects: negative when `a` comes first, zero for
// equal keys.
template <class Entity>
int compareByAttribute(const Entity& a, const Entity& b, int attribute, SortDirection direction)
{
    int order = 0;
    EntityTraits<Entity>::withField(attribute, [&](auto field) {
        const auto& left = a.values().*field;
        const auto& right = b.values().*field;
        if constexpr (requires { orderKey(left); }) {
            const std::int64_t l = orderKey(left), r = orderKey(right);
            order = l < r ? -1 : (r < l ? 1 : 0);
        } else {
            order = less(left, right) ? -1 : (less(right, left) ? 1 : 0);
        }
    });
    return direction == SortDirection::Descending ? -order : order;
}

} // namespace entity_sort

// Where an object stands in its context's fetch order, before any sorting: stored rows by
// row id, then unsaved inserts in the order they were inserted (a save keeps that order:
// new row ids are larger than every committed one; a deleted row brought back gets its old
// id). Detached objects come last.
struct FetchOrder {
    static std::pair<int, std::uint64_t> of(const ManagedObject& object)
    {
        switch (object.lifecycle_) {
        case ManagedObject::Lifecycle::Stored: return {0, static_cast<std::uint64_t>(object.rowId_)};
        case ManagedObject::Lifecycle::Inserted:
            // A deleted row brought back takes its old place at once.
            if (object.restored_)
                return {0, static_cast<std::uint64_t>(object.rowId_)};
            return {1, static_cast<std::uint64_t>(object.rowId_)};
        case ManagedObject::Lifecycle::Detached: break;
        }
        return {2, 0};
    }
};
