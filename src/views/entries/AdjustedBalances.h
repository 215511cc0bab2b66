#pragma once

#include "model/BalanceEntry.h"

#include <deque>
#include <memory>
#include <vector>

// The entry table's adjusted balances: each entry's balance minus the adjustments of every
// entry up to and including itself, taken in ascending date order (no date first; equal dates
// in the order the table lists them), summed in that order.
//
// Works alongside a list sorted by date descending (missing dates last), the table's order,
// and follows its edits: each call names the edit just made to `rows` and recomputes only
// the sums it can change (those of the rows above the edit, and of its date's other rows),
// so an entry added at the top costs a few rows, not the whole list. Each returns the last
// row whose adjusted balance may have changed (rows 0 to it), or -1 for none.
class AdjustedBalances {
public:
    using Rows = std::deque<std::shared_ptr<BalanceEntry>>; // the live result's list

    void rebuild(const Rows& rows);
    int inserted(const Rows& rows, int first, int last);
    int removed(const Rows& rows, int first, int last);
    // Row `from` moved to `to` (its index now).
    int moved(const Rows& rows, int from, int to);
    // The dates or adjustments of rows up to `last` changed, in place.
    int changed(const Rows& rows, int last);

    double at(const Rows& rows, int row) const { return rows[std::size_t(row)]->balance() - sum(row); }

private:
    // Stored bottom row first, so that an entry added at the top is a push_back.
    double sum(int row) const { return sums_[sums_.size() - 1 - std::size_t(row)]; }
    double& sum(int row) { return sums_[sums_.size() - 1 - std::size_t(row)]; }
    int recomputeThrough(const Rows& rows, int row);

    std::vector<double> sums_;
};
