#include "model/CommittedEntries.h"

#include "model/store/EntitySort.h"

#include <algorithm>
#include <iterator>
#include <numeric>

namespace {

// The entries by key (through `make`, given each one's place in `keys`), then by date.
template <class Make>
CommittedEntries byKeyAndDate(const std::vector<std::int64_t>& keys, Make make)
{
    std::vector<std::size_t> order(keys.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
    CommittedEntries entries;
    entries.byRowId.reserve(keys.size());
    entries.rowIds.reserve(keys.size());
    for (std::size_t index : order) {
        entries.byRowId.push_back(make(index));
        entries.rowIds.push_back(keys[index]);
    }
    entries.byDate = entries.byRowId;
    std::stable_sort(entries.byDate.begin(), entries.byDate.end(), [](const auto& a, const auto& b) {
        return entity_sort::compareByAttribute(*a, *b, BalanceEntry::Date, SortDirection::Ascending) < 0;
    });
    return entries;
}

} // namespace

CommittedEntries CommittedEntries::copyOf(const std::vector<std::shared_ptr<BalanceEntry>>& stored)
{
    std::vector<std::int64_t> keys;
    keys.reserve(stored.size());
    for (const auto& entry : stored)
        keys.push_back(entry->rowId());
    CommittedEntries entries = byKeyAndDate(keys, [&](std::size_t index) {
        return std::make_shared<BalanceEntry>(stored[index]->values()); // of no context
    });
    entries.objects.assign(entries.byRowId.begin(), entries.byRowId.end());
    return entries;
}

CommittedEntries CommittedEntries::restoring(const std::vector<std::shared_ptr<BalanceEntry>>& objects, const std::vector<std::int64_t>& keys)
{
    return byKeyAndDate(keys, [&](std::size_t index) { return objects[index]; });
}

DroppedEntries::DroppedEntries(std::vector<std::shared_ptr<BalanceEntry>> stored) : objects(std::move(stored))
{
    std::vector<std::int64_t> keys;
    keys.reserve(objects.size());
    for (const auto& entry : objects)
        keys.push_back(entry->rowId());
    if (!std::is_sorted(keys.begin(), keys.end()))
        std::sort(keys.begin(), keys.end());
    for (const std::int64_t key : keys) {
        if (!keyRuns.empty() && keyRuns.back().second + 1 == key)
            keyRuns.back().second = key;
        else
            keyRuns.emplace_back(key, key);
    }
}

bool DroppedEntries::contains(const BalanceEntry& entry) const
{
    const std::int64_t key = entry.rowId();
    if (key == 0)
        return false;
    const auto run = std::upper_bound(keyRuns.begin(), keyRuns.end(), key, [](std::int64_t sought, const auto& run) { return sought < run.first; });
    return run != keyRuns.begin() && key <= std::prev(run)->second;
}
