#pragma once

#include "analytics/StatsInput.h"

#include <cstddef>
#include <span>
#include <vector>

// The positions of a list of snapshots in ascending date order, equal dates by ascending
// position (a stable order, fully determined). Lists that are already in order, as the
// store hands them out, cost one pass and no copy.
class ChronologicalOrder {
public:
    explicit ChronologicalOrder(std::span<const StatsInput> inputs);

    std::size_t size() const { return size_; }
    // The position in the given list of the k-th snapshot in date order.
    std::size_t operator[](std::size_t k) const { return positions_.empty() ? k : positions_[k]; }

private:
    std::size_t size_;
    std::vector<std::size_t> positions_; // empty when the list is already in order
};
