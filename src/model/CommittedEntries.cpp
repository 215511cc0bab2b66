#include "model/CommittedEntries.h"

#include "model/store/EntitySort.h"

#include <algorithm>
#include <numeric>

CommittedEntries CommittedEntries::copyOf(const std::vector<std::shared_ptr<BalanceEntry>>& stored)
{
    std::vector<std::size_t> order(stored.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return stored[a]->rowId() < stored[b]->rowId(); });
    CommittedEntries entries;
    entries.byRowId.reserve(stored.size());
    entries.rowIds.reserve(stored.size());
    for (std::size_t index : order) {
        auto copy = std::make_shared<BalanceEntry>();
        copy->assign(stored[index]->values()); // of no context: plain assignments
        entries.byRowId.push_back(std::move(copy));
        entries.rowIds.push_back(stored[index]->rowId());
    }
    entries.byDate = entries.byRowId;
    std::stable_sort(entries.byDate.begin(), entries.byDate.end(), [](const auto& a, const auto& b) {
        return entity_sort::compareByAttribute(*a, *b, BalanceEntry::Date, SortDirection::Ascending) < 0;
    });
    entries.objects.assign(entries.byRowId.begin(), entries.byRowId.end());
    return entries;
}
