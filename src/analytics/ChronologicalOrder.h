#pragma once

#include "analytics/StatsInput.h"

#include <cstddef>
#include <span>
#include <vector>

// The positions of a list of snapshots in ascending date order, equal dates by ascending
// position (a stable order, fully determined). Lists that are already in order, as the
// store hands them out, cost one pass and no copy; others are sorted in O(n).
class ChronologicalOrder {
public:
    explicit ChronologicalOrder(std::span<const StatsInput> inputs);

    std::size_t size() const { return inputs_.size(); }
    // The position in the given list of the k-th snapshot in date order, and its date.
    std::size_t position(std::size_t k) const { return sorted_.empty() ? k : sorted_[k].position; }
    Instant date(std::size_t k) const { return sorted_.empty() ? inputs_[k].date : instantFromMilliseconds(sorted_[k].date); }

    struct Dated {
        long long date; // milliseconds, as in Instant
        std::size_t position;
    };

private:
    std::span<const StatsInput> inputs_;
    std::vector<Dated> sorted_; // empty when the list is already in order
};
