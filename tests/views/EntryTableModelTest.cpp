// The entry table's model over a live store: cell texts, and changes arriving as row edits
// (never a reset), checked by QAbstractItemModelTester throughout.
#include "services/ActionsFixture.h"

#include "analytics/Fmt.h"
#include "services/EntryActions.h"
#include "views/EntryTableModel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <gmock/gmock.h>

using ::testing::ElementsAre;

namespace {

class EntryTableModelTest : public ActionsFixture {
protected:
    void SetUp() override
    {
        ActionsFixture::SetUp();
        model_ = std::make_unique<EntryTableModel>(context());
        tester_ = std::make_unique<QAbstractItemModelTester>(model_.get(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    }
    void TearDown() override
    {
        tester_.reset();
        model_.reset();
        ActionsFixture::TearDown();
    }

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

    std::unique_ptr<EntryTableModel> model_;
    std::unique_ptr<QAbstractItemModelTester> tester_;
};

TEST_F(EntryTableModelTest, CellsShowTheEntriesNewestFirst)
{
    add("2025-01-01", 1000, 1000, 0)->setNote(QStringLiteral("opened"));
    add("2025-01-02", 1200, -500, 12.5);
    add("2025-01-03", 1300, 500, -3);
    add(nullptr, 42, 0, 0);
    save();
    ASSERT_TRUE(model_->fetch().ok());
    ASSERT_EQ(model_->columnCount(), 6);

    EXPECT_THAT(column(EntryTableModel::DateColumn), ElementsAre("Jan 3, 2025", "Jan 2, 2025", "Jan 1, 2025", "\u2014"));
    EXPECT_THAT(column(EntryTableModel::BalanceColumn), ElementsAre("$1,300", "$1,200", "$1,000", "$42"));
    EXPECT_THAT(column(EntryTableModel::AdjustmentColumn), ElementsAre("$500", "-$500", "$1,000", "\u2014"));
    EXPECT_THAT(column(EntryTableModel::TransfersColumn), ElementsAre("-$3.00", "$12.50", "\u2014", "\u2014"));
    // Oldest first (no date before all): 42-0, 1000-1000, 1200-500, 1300-1000.
    EXPECT_THAT(column(EntryTableModel::AdjustedBalanceColumn), ElementsAre("$300", "$700", "$0", "$42"));
    EXPECT_THAT(column(EntryTableModel::NoteColumn), ElementsAre("", "", "opened", ""));
}

// Each change made elsewhere reaches the model as the matching row edit; the adjusted
// balances of the rows above follow.
TEST_F(EntryTableModelTest, ChangesArriveAsRowEditsNeverAsAReset)
{
    const auto first = add("2025-01-01", 100, 100);
    add("2025-01-02", 110, 0);
    ASSERT_TRUE(model_->fetch().ok());
    QSignalSpy resets(model_.get(), &QAbstractItemModel::modelAboutToBeReset);
    QSignalSpy inserted(model_.get(), &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(model_.get(), &QAbstractItemModel::rowsRemoved);
    QSignalSpy moved(model_.get(), &QAbstractItemModel::rowsMoved);
    QSignalSpy changed(model_.get(), &QAbstractItemModel::dataChanged);

    const auto third = add("2025-01-03", 130, 10);
    EXPECT_EQ(inserted.count(), 1);
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
    EXPECT_EQ(removed.count(), 1);
    EXPECT_THAT(column(EntryTableModel::AdjustedBalanceColumn), ElementsAre("$100", "$120"));
    EXPECT_EQ(resets.count(), 0);
}

} // namespace
