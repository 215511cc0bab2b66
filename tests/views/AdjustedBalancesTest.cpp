// The entry table's adjusted balances, against a plain recomputation from the definition.
#include "views/AdjustedBalances.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <numeric>
#include <random>

namespace {

using Rows = AdjustedBalances::Rows;

Instant dateOf(const BalanceEntry& entry) { return entry.date().value_or(distantPast()); }

// The definition: a stable ascending sort of the table's list by date (none first), then a
// running sum of the adjustments, each entry's own included.
std::vector<double> expected(const Rows& rows)
{
    std::vector<std::size_t> order(rows.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return dateOf(*rows[a]) < dateOf(*rows[b]); });
    std::vector<double> adjusted(rows.size());
    double sum = 0;
    for (std::size_t i : order) {
        sum += rows[i]->adjustment();
        adjusted[i] = rows[i]->balance() - sum;
    }
    return adjusted;
}

std::vector<double> actual(const AdjustedBalances& balances, const Rows& rows)
{
    std::vector<double> values;
    for (int row = 0; row < int(rows.size()); ++row)
        values.push_back(balances.at(rows, row));
    return values;
}

// Random inserts, removals, moves and in-place changes over few distinct dates (many ties,
// some without a date): after each edit the incremental sums equal a full recomputation, bit
// for bit (the same additions in the same order). Equal dates are walked in table order (the
// upper row's flow counts for the lower one); entries without a date come first.
TEST(AdjustedBalances, FollowEveryEditExactly)
{
    std::mt19937 random(20260604);
    std::uniform_int_distribution<int> dayOf(0, 6);
    std::uniform_int_distribution<int> amountOf(-1000, 1000);
    // A random date (none for day 0), then the entry's place in the table, sorted by date
    // descending (none last): after its equals.
    const auto place = [&](Rows& rows, const std::shared_ptr<BalanceEntry>& entry) {
        const int day = dayOf(random);
        entry->setDate(day == 0 ? std::nullopt : std::optional(instantFromMilliseconds(day * 86'400'000LL)));
        const auto at = std::find_if(rows.begin(), rows.end(), [&](const auto& row) { return dateOf(*row) < dateOf(*entry); });
        const auto row = at - rows.begin();
        rows.insert(at, entry);
        return int(row);
    };
    Rows rows;
    AdjustedBalances balances;
    balances.rebuild(rows);
    for (int step = 0; step < 600; ++step) {
        const int kind = rows.size() < 3 ? 0 : int(random() % 4);
        const int pick = rows.empty() ? 0 : int(random() % rows.size());
        if (kind == 0) {
            auto added = std::make_shared<BalanceEntry>();
            added->setBalance(amountOf(random) * 10.1);
            added->setAdjustment(amountOf(random) * 0.1);
            const int row = place(rows, added);
            balances.inserted(rows, row, row);
        } else if (kind == 1) {
            const int count = std::min<int>(1 + int(random() % 3), int(rows.size()) - pick);
            rows.erase(rows.begin() + pick, rows.begin() + pick + count);
            balances.removed(rows, pick, pick + count - 1);
        } else if (kind == 2) {
            auto moving = rows[std::size_t(pick)];
            rows.erase(rows.begin() + pick);
            balances.moved(rows, pick, place(rows, moving));
        } else {
            rows[std::size_t(pick)]->setAdjustment(amountOf(random) * 0.3);
            balances.changed(rows, pick);
        }
        ASSERT_EQ(actual(balances, rows), expected(rows)) << "after step " << step << " (kind " << kind << ")";
        AdjustedBalances rebuilt; // and a rebuild from scratch agrees
        rebuilt.rebuild(rows);
        ASSERT_EQ(actual(rebuilt, rows), expected(rows)) << "rebuilt after step " << step;
    }
}

} // namespace
