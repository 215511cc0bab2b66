// The entry table's adjusted balances, against a plain recomputation from the definition.
#include "views/AdjustedBalances.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <random>

namespace {

using Rows = AdjustedBalances::Rows;

std::shared_ptr<BalanceEntry> entry(std::optional<long long> day, double balance, double adjustment)
{
    auto made = std::make_shared<BalanceEntry>();
    if (day)
        made->setDate(instantFromMilliseconds(*day * 86'400'000LL));
    made->setBalance(balance);
    made->setAdjustment(adjustment);
    return made;
}

// The definition: a stable ascending sort of the table's list by date (none first), then a
// running sum of the adjustments, each entry's own included.
std::vector<double> expected(const Rows& rows)
{
    std::vector<std::size_t> order(rows.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return rows[a]->date().value_or(distantPast()) < rows[b]->date().value_or(distantPast());
    });
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

// Where an entry goes in a list sorted by date descending (none last): after its equals.
int placeFor(const Rows& rows, const BalanceEntry& added)
{
    const auto key = [](const BalanceEntry& e) { return e.date().value_or(distantPast()); };
    int row = 0;
    while (row < int(rows.size()) && key(*rows[std::size_t(row)]) >= key(added))
        ++row;
    return row;
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
    const auto randomDay = [&]() -> std::optional<long long> {
        const int day = dayOf(random);
        return day == 0 ? std::nullopt : std::optional<long long>(day);
    };
    Rows rows;
    AdjustedBalances balances;
    balances.rebuild(rows);
    for (int step = 0; step < 600; ++step) {
        const int kind = rows.size() < 3 ? 0 : int(random() % 4);
        const int pick = rows.empty() ? 0 : int(random() % rows.size());
        if (kind == 0) {
            auto added = entry(randomDay(), amountOf(random) * 10.1, amountOf(random) * 0.1);
            const int row = placeFor(rows, *added);
            rows.insert(rows.begin() + row, added);
            balances.inserted(rows, row, row);
        } else if (kind == 1) {
            const int count = std::min<int>(1 + int(random() % 3), int(rows.size()) - pick);
            rows.erase(rows.begin() + pick, rows.begin() + pick + count);
            balances.removed(rows, pick, pick + count - 1);
        } else if (kind == 2) {
            auto moving = rows[std::size_t(pick)];
            rows.erase(rows.begin() + pick);
            const auto day = randomDay();
            moving->setDate(day ? std::optional(instantFromMilliseconds(*day * 86'400'000LL)) : std::nullopt);
            const int to = placeFor(rows, *moving);
            rows.insert(rows.begin() + to, moving);
            balances.moved(rows, pick, to);
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
