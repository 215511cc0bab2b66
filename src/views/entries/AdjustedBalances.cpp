#include "views/entries/AdjustedBalances.h"

#include <algorithm>
#include <iterator>

namespace {
bool sameDay(const AdjustedBalances::Rows& rows, int a, int b)
{
    return rows[std::size_t(a)]->date() == rows[std::size_t(b)]->date();
}
} // namespace

void AdjustedBalances::rebuild(const Rows& rows)
{
    sums_.assign(rows.size(), 0.0);
    recomputeThrough(rows, static_cast<int>(rows.size()) - 1);
}

int AdjustedBalances::inserted(const Rows& rows, int first, int last)
{
    const auto count = std::size_t(last - first + 1);
    const std::size_t before = rows.size() - count;
    sums_.insert(sums_.begin() + std::ptrdiff_t(before - std::size_t(first)), count, 0.0);
    return recomputeThrough(rows, last);
}

int AdjustedBalances::removed(const Rows& rows, int first, int last)
{
    const std::size_t before = rows.size() + std::size_t(last - first + 1);
    const auto from = sums_.begin() + std::ptrdiff_t(before - 1 - std::size_t(last));
    sums_.erase(from, from + (last - first + 1));
    return recomputeThrough(rows, std::min(first, static_cast<int>(rows.size()) - 1));
}

int AdjustedBalances::moved(const Rows& rows, int from, int to)
{
    // One row further down: the rows of the date the entry left, below its old place.
    return recomputeThrough(rows, std::max(from, to) + 1);
}

int AdjustedBalances::changed(const Rows& rows, int last) { return recomputeThrough(rows, last + 1); }

// Walks the dates upward from the group of `row` to the top: each date's rows in table order,
// starting from the sum left by the older dates below.
int AdjustedBalances::recomputeThrough(const Rows& rows, int row)
{
    const int count = static_cast<int>(rows.size());
    if (row < 0 || count == 0)
        return -1;
    int end = std::min(row, count - 1);
    while (end + 1 < count && sameDay(rows, end + 1, end))
        ++end;
    // The sum after the older dates: that of the last row of the group just below.
    double base = 0;
    if (end + 1 < count) {
        int below = end + 1;
        while (below + 1 < count && sameDay(rows, below + 1, end + 1))
            ++below;
        base = sum(below);
    }
    // By iterator: indexing the rows' deque costs a division per access.
    const auto top = rows.begin();
    for (int groupEnd = end; groupEnd >= 0;) {
        const auto last = top + groupEnd;
        const std::optional<Instant>& day = (*last)->date();
        auto first = last;
        while (first != top && (*std::prev(first))->date() == day)
            --first;
        int r = static_cast<int>(first - top);
        for (auto row = first; row <= last; ++row, ++r) {
            base += (*row)->adjustment();
            sum(r) = base;
        }
        groupEnd = static_cast<int>(first - top) - 1;
    }
    return end;
}
