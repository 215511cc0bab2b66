// The entry table's model over a live store: cell texts, and changes arriving as row edits
// (never a reset), checked by QAbstractItemModelTester throughout; and its adjusted balances
// against a plain recomputation from their definition.
#include "services/ActionsFixture.h"

#include "analytics/Fmt.h"
#include "services/EntryActions.h"
#include "views/entries/AdjustedBalances.h"
#include "views/entries/EntryTableModel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <gmock/gmock.h>

#include <algorithm>
#include <numeric>
#include <random>

using ::testing::ElementsAre;

namespace {

class EntryTableModelTest : public ActionsFixture {
protected:
    // A saved entry.
    std::shared_ptr<BalanceEntry> add(const char* day, double balance, double adjustment = 0, double transfers = 0)
    {
        return EntryActions::add(context(), {.date = day ? Fmt::parseDay(day) : std::nullopt, .balance = balance,
                                             .adjustment = adjustment, .transfers = transfers}).value();
    }
    void save() { ASSERT_TRUE(context().save().ok()); }
    std::vector<std::string> column(int column) const
    {
        std::vector<std::string> texts;
        for (int row = 0; row < model_->rowCount(); ++row)
            texts.push_back(model_->index(row, column).data().toString().toStdString());
        return texts;
    }

    std::unique_ptr<EntryTableModel> model_ = std::make_unique<EntryTableModel>(context());
    QAbstractItemModelTester tester_{model_.get(), QAbstractItemModelTester::FailureReportingMode::Fatal};
};

TEST_F(EntryTableModelTest, CellsShowTheEntriesNewestFirst)
{
    add("2025-01-01", 1000, 1000, 0)->setNote(QStringLiteral("opened"));
    add("2025-01-02", 1200, -500, 12.5);
    add("2025-01-03", 1300, 500, -3);
    add(nullptr, 42, 0, 0);
    save();
    ASSERT_TRUE(model_->fetch().ok());

    EXPECT_THAT(column(EntryTableModel::DateColumn), ElementsAre("Jan 3, 2025", "Jan 2, 2025", "Jan 1, 2025", "\u2014"));
    EXPECT_THAT(column(EntryTableModel::BalanceColumn), ElementsAre("$1,300", "$1,200", "$1,000", "$42"));
    EXPECT_THAT(column(EntryTableModel::AdjustmentColumn), ElementsAre("$500", "-$500", "$1,000", "\u2014"));
    EXPECT_THAT(column(EntryTableModel::TransfersColumn), ElementsAre("-$3.00", "$12.50", "\u2014", "\u2014"));
    // Oldest first (no date before all): 42-0, 1000-1000, 1200-500, 1300-1000.
    EXPECT_THAT(column(EntryTableModel::AdjustedBalanceColumn), ElementsAre("$300", "$700", "$0", "$42"));
    EXPECT_THAT(column(EntryTableModel::NoteColumn), ElementsAre("", "", "opened", ""));
}

// Each change made elsewhere reaches the model as the matching row edit (with no reset, the
// model tester holds inserts and removals to their signals); the adjusted balances follow.
TEST_F(EntryTableModelTest, ChangesArriveAsRowEditsNeverAsAReset)
{
    const auto first = add("2025-01-01", 100, 100);
    add("2025-01-02", 110, 0);
    ASSERT_TRUE(model_->fetch().ok());
    QSignalSpy resets(model_.get(), &QAbstractItemModel::modelAboutToBeReset);
    QSignalSpy moved(model_.get(), &QAbstractItemModel::rowsMoved);
    QSignalSpy changed(model_.get(), &QAbstractItemModel::dataChanged);

    const auto third = add("2025-01-03", 130, 10);
    EXPECT_THAT(column(EntryTableModel::AdjustedBalanceColumn), ElementsAre("$20", "$10", "$0"));

    first->setAdjustment(50); // the oldest entry's flow counts for every row
    save();
    EXPECT_GE(changed.count(), 1);
    EXPECT_THAT(column(EntryTableModel::AdjustedBalanceColumn), ElementsAre("$70", "$60", "$50"));
    EXPECT_THAT(column(EntryTableModel::AdjustmentColumn), ElementsAre("$10", "\u2014", "$50")); // no stale text

    third->setDate(Fmt::parseDay("2024-12-31")); // from newest to oldest
    save();
    EXPECT_EQ(moved.count(), 1);
    EXPECT_EQ(model_->rowOf(*third), 2);
    EXPECT_THAT(column(EntryTableModel::AdjustedBalanceColumn), ElementsAre("$50", "$40", "$120"));
    EXPECT_THAT(column(EntryTableModel::DateColumn), ElementsAre("Jan 2, 2025", "Jan 1, 2025", "Dec 31, 2024"));

    context().remove(first);
    save();
    EXPECT_THAT(column(EntryTableModel::AdjustedBalanceColumn), ElementsAre("$100", "$120"));
    EXPECT_EQ(resets.count(), 0);
}

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
