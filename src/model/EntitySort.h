#pragma once

#include "analytics/Instant.h"
#include "analytics/Uuid.h"
#include "model/EntityTraits.h"
#include "model/ObjectContext.h"

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
        std::vector<std::pair<std::int64_t, std::uint32_t>> keys;
        keys.reserve(objects.size());
        for (std::uint32_t i = 0; i < objects.size(); ++i)
            keys.emplace_back(orderKey(objects[i]->values().*field), i);
        const auto before = [descending](const auto& a, const auto& b) {
            if (a.first != b.first)
                return descending ? a.first > b.first : a.first < b.first;
            return a.second < b.second;
        };
        if (std::is_sorted(keys.begin(), keys.end(), before))
            return;
        std::sort(keys.begin(), keys.end(), before);
        std::vector<std::shared_ptr<Entity>> sorted;
        sorted.reserve(objects.size());
        for (const auto& key : keys)
            sorted.push_back(std::move(objects[key.second]));
        objects.swap(sorted);
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
