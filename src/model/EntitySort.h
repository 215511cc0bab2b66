#pragma once

#include "analytics/Instant.h"
#include "analytics/Uuid.h"
#include "model/EntityTraits.h"
#include "model/ObjectContext.h"
#include "model/RadixSort.h"

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

template <class Entity, class T>
void sortByField(std::vector<std::shared_ptr<Entity>>& objects, T Entity::Values::*field, SortDirection direction)
{
    const bool descending = direction == SortDirection::Descending;
    if constexpr (requires(const T& value) { orderKey(value); }) {
        if (objects.size() < 2)
            return;
        // Signed keys become unsigned ones of the same order; descending order is the
        // ascending order of the complement. The sort is stable, so ties keep their order.
        constexpr std::uint64_t signBit = std::uint64_t{1} << 63;
        std::vector<std::pair<std::uint64_t, std::uint32_t>> keys;
        keys.reserve(objects.size());
        bool sorted = true;
        for (std::uint32_t i = 0; i < objects.size(); ++i) {
            std::uint64_t key = static_cast<std::uint64_t>(orderKey(objects[i]->values().*field)) ^ signBit;
            if (descending)
                key = ~key;
            sorted = sorted && (i == 0 || keys.back().first <= key);
            keys.emplace_back(key, i);
        }
        if (sorted)
            return;
        radixSortByKey(keys);
        std::vector<std::shared_ptr<Entity>> reordered;
        reordered.reserve(objects.size());
        for (const auto& key : keys)
            reordered.push_back(std::move(objects[key.second]));
        objects.swap(reordered);
    } else {
        std::stable_sort(objects.begin(), objects.end(), [field, descending](const auto& a, const auto& b) {
            return descending ? less(b->values().*field, a->values().*field) : less(a->values().*field, b->values().*field);
        });
    }
}

template <class Entity>
void sortByAttribute(std::vector<std::shared_ptr<Entity>>& objects, int attribute, SortDirection direction)
{
    EntityTraits<Entity>::withField(attribute, [&](auto field) { sortByField(objects, field, direction); });
}

} // namespace entity_sort
