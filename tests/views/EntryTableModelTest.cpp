// The entry table's model over a live store: cell texts, and changes arriving as
// row edits (never a reset), checked by QAbstractItemModelTester throughout.
#include "views/EntryTableModel.h"

#include "analytics/Fmt.h"
#include "model/ObjectContext.h"
#include "model/PersistentContainer.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <gmock/gmock.h>

namespace {

class EntryTableModelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        container_ = std::move(PersistentContainer::openInMemory().value());
        model_ = std::make_unique<EntryTableModel>(context());
        tester_ = std::make_unique<QAbstractItemModelTester>(model_.get(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    }
    void TearDown() override
    {
        tester_.reset();
        model_.reset();
    }

    ObjectContext& context() { return container_->viewContext(); }

    std::shared_ptr<BalanceEntry> add(const char* day, double balance, double adjustment = 0, double transfers = 0)
    {
        auto entry = BalanceEntry::create(context());
        entry->setId(Uuid::random());
        if (day)
            entry->setDate(Fmt::parseDay(day));
        entry->setBalance(balance);
        entry->setAdjustment(adjustment);
        entry->setTransfers(transfers);
        return entry;
    }
    void save() { ASSERT_TRUE(context().save().ok()); }

    QString text(int row, int column) const { return model_->index(row, column).data().toString(); }
    std::vector<std::string> column(int column) const
    {
        std::vector<std::string> texts;
        for (int row = 0; row < model_->rowCount(); ++row)
            texts.push_back(text(row, column).toStdString());
        return texts;
    }

    std::unique_ptr<PersistentContainer> container_;
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

    EXPECT_THAT(column(EntryTableModel::DateColumn), ::testing::ElementsAre("Jan 3, 2025", "Jan 2, 2025", "Jan 1, 2025", "\u2014"));
    EXPECT_THAT(column(EntryTableModel::BalanceColumn), ::testing::ElementsAre("$1,300", "$1,200", "$1,000", "$42"));
    EXPECT_THAT(column(EntryTableModel::AdjustmentColumn), ::testing::ElementsAre("$500", "-$500", "$1,000", "\u2014"));
    EXPECT_THAT(column(EntryTableModel::TransfersColumn), ::testing::ElementsAre("-$3.00", "$12.50", "\u2014", "\u2014"));
    // Oldest first (no date before all): 42-0, 1000-1000, 1200-500, 1300-1000.
    EXPECT_THAT(column(EntryTableModel::AdjustedBalanceColumn), ::testing::ElementsAre("$300", "$700", "$0", "$42"));
    EXPECT_THAT(column(EntryTableModel::NoteColumn), ::testing::ElementsAre("", "", "opened", ""));
}

// Each change made elsewhere reaches the model as the matching row edit; the adjusted
// balances of the rows above follow.
TEST_F(EntryTableModelTest, ChangesArriveAsRowEditsNeverAsAReset)
{
    const auto first = add("2025-01-01", 100, 100);
    add("2025-01-02", 110, 0);
    save();
    ASSERT_TRUE(model_->fetch().ok());
    QSignalSpy resets(model_.get(), &QAbstractItemModel::modelAboutToBeReset);
    QSignalSpy inserted(model_.get(), &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(model_.get(), &QAbstractItemModel::rowsRemoved);
    QSignalSpy moved(model_.get(), &QAbstractItemModel::rowsMoved);
    QSignalSpy changed(model_.get(), &QAbstractItemModel::dataChanged);

    const auto third = add("2025-01-03", 130, 10);
    save();
    EXPECT_EQ(inserted.count(), 1);
    EXPECT_THAT(column(EntryTableModel::AdjustedBalanceColumn), ::testing::ElementsAre("$20", "$10", "$0"));

    first->setAdjustment(50); // the oldest entry's flow counts for every row
    save();
    EXPECT_GE(changed.count(), 1);
    EXPECT_THAT(column(EntryTableModel::AdjustedBalanceColumn), ::testing::ElementsAre("$70", "$60", "$50"));
    EXPECT_THAT(column(EntryTableModel::AdjustmentColumn), ::testing::ElementsAre("$10", "\u2014", "$50")); // no stale text

    third->setDate(Fmt::parseDay("2024-12-31")); // from newest to oldest
    save();
    EXPECT_EQ(moved.count(), 1);
    EXPECT_EQ(model_->rowOf(*third), 2);
    EXPECT_THAT(column(EntryTableModel::AdjustedBalanceColumn), ::testing::ElementsAre("$50", "$40", "$120"));
    EXPECT_THAT(column(EntryTableModel::DateColumn), ::testing::ElementsAre("Jan 2, 2025", "Jan 1, 2025", "Dec 31, 2024"));

    context().remove(first);
    save();
    EXPECT_EQ(removed.count(), 1);
    EXPECT_THAT(column(EntryTableModel::AdjustedBalanceColumn), ::testing::ElementsAre("$100", "$120"));
    EXPECT_EQ(resets.count(), 0);
}

} // namespace
