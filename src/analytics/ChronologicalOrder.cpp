#include "analytics/ChronologicalOrder.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {
using Dated = ChronologicalOrder::Dated;

// Least-significant-digit radix sort on the date: stable, so entries that start in position
// order keep it among equal dates. The counts of every digit are taken in one pass; digits
// that all dates share are skipped.
void radixSortByDate(std::vector<Dated>& items)
{
    constexpr int digitBits = 11;
    constexpr std::size_t buckets = std::size_t{1} << digitBits;
    constexpr int digits = (64 + digitBits - 1) / digitBits;
    const auto [lowest, highest] = std::minmax_element(items.begin(), items.end(), [](const Dated& a, const Dated& b) { return a.date < b.date; });
    const unsigned long long base = static_cast<unsigned long long>(lowest->date);
    const unsigned long long range = static_cast<unsigned long long>(highest->date) - base;
    int used = 0;
    while (used < digits && (range >> (used * digitBits)) != 0)
        ++used;
    const auto key = [base](const Dated& item) { return static_cast<unsigned long long>(item.date) - base; };
    std::vector<std::array<std::size_t, buckets>> counts(static_cast<std::size_t>(used));
    for (const Dated& item : items)
        for (int d = 0; d < used; ++d)
            ++counts[static_cast<std::size_t>(d)][(key(item) >> (d * digitBits)) & (buckets - 1)];
    std::vector<Dated> scratch(items.size());
    for (int d = 0; d < used; ++d) {
        auto& offsets = counts[static_cast<std::size_t>(d)];
        if (std::find(offsets.begin(), offsets.end(), items.size()) != offsets.end())
            continue; // every date has the same digit here
        std::size_t next = 0;
        for (std::size_t& count : offsets)
            next += std::exchange(count, next);
        for (const Dated& item : items)
            scratch[offsets[(key(item) >> (d * digitBits)) & (buckets - 1)]++] = item;
        items.swap(scratch);
    }
}
} // namespace

ChronologicalOrder::ChronologicalOrder(std::span<const StatsInput> inputs) : inputs_(inputs)
{
    const bool inOrder = std::is_sorted(inputs.begin(), inputs.end(), [](const StatsInput& a, const StatsInput& b) { return a.date < b.date; });
    if (inOrder)
        return;
    sorted_.resize(inputs.size());
    for (std::size_t i = 0; i < inputs.size(); ++i)
        sorted_[i] = Dated{millisecondsOf(inputs[i].date), i};
    constexpr std::size_t smallList = 256;
    if (sorted_.size() < smallList)
        std::stable_sort(sorted_.begin(), sorted_.end(), [](const Dated& a, const Dated& b) { return a.date < b.date; });
    else
        radixSortByDate(sorted_);
}
