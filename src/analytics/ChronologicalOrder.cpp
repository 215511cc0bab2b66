#include "analytics/ChronologicalOrder.h"

#include <algorithm>
#include <utility>

ChronologicalOrder::ChronologicalOrder(std::span<const StatsInput> inputs) : size_(inputs.size())
{
    const bool inOrder = std::is_sorted(inputs.begin(), inputs.end(), [](const StatsInput& a, const StatsInput& b) { return a.date < b.date; });
    if (inOrder)
        return;
    // Sorting (date, position) pairs by value keeps the keys next to each other in memory and
    // makes every key unique, so an ordinary sort gives the stable order.
    std::vector<std::pair<long long, std::size_t>> keyed(inputs.size());
    for (std::size_t i = 0; i < inputs.size(); ++i)
        keyed[i] = {millisecondsOf(inputs[i].date), i};
    std::sort(keyed.begin(), keyed.end());
    positions_.resize(keyed.size());
    std::transform(keyed.begin(), keyed.end(), positions_.begin(), [](const auto& key) { return key.second; });
}
