// A save written while objects are still being inserted (what an import does), and the
// write-ahead log copied back after a save rather than inside it.
#include "StoreTestSupport.h"
#include "support/StoreSql.h"

#include <QFileInfo>
#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

class SaveInProgressTest : public ::testing::Test {
protected:
    ObjectContext& context() { return store.context(); }

    // What another connection reads: the balances in row-key order.
    std::string storedBalances()
    {
        return queryStore(store.path, "SELECT coalesce(group_concat(balance), '') FROM (SELECT balance FROM BalanceEntry ORDER BY pk)");
    }

    TemporaryFileStore store;
};

TEST_F(SaveInProgressTest, WritesBatchesInOneTransactionInInsertionOrder)
{
    auto stored = addEntry(context(), 1, 1);
    ASSERT_TRUE(context().save().ok());
    stored->setBalance(10); // pending before the save begins: written at its commit

    auto save = context().beginSave();
    ASSERT_TRUE(save.ok());
    auto takenBackLater = addEntry(context(), 2, 2);
    auto takenBackFirst = addEntry(context(), 3, 3);
    context().remove(takenBackFirst);
    ASSERT_TRUE(save.value().writeInserted().ok());
    addEntry(context(), 4, 4);
    context().remove(takenBackLater); // already written: its row goes again
    context().insert(takenBackFirst); // passed over while taken back: written after all
    ASSERT_TRUE(save.value().writeInserted().ok());
    addEntry(context(), 5, 5);
    EXPECT_EQ(storedBalances(), "1.0"); // nothing is visible before the commit

    ASSERT_TRUE(save.value().commit().ok());
    EXPECT_EQ(std::tuple(context().hasChanges(), storedBalances(), takenBackLater->rowId()), std::tuple(false, "10.0,3.0,4.0,5.0", 0));
    EXPECT_EQ(fetchedBalances(context()), std::vector<double>({10, 3, 4, 5}));
    EXPECT_GT(takenBackFirst->rowId(), stored->rowId());
}

// Many rows are written by a statement of several rows at once: rows taken back inside such a
// group, at its edges and in the last, short one are left out, and the keys keep the order.
TEST_F(SaveInProgressTest, RowsTakenBackAnywhereAreLeftOutOfGroupedInserts)
{
    std::vector<std::shared_ptr<BalanceEntry>> entries;
    for (int i = 0; i < 300; ++i)
        entries.push_back(addEntry(context(), i, i));
    auto save = context().beginSave();
    ASSERT_TRUE(save.ok());
    ASSERT_TRUE(save.value().writeInserted().ok());
    for (int i = 300; i < 450; ++i)
        entries.push_back(addEntry(context(), i, i));
    const std::set<int> takenBack = {0, 10, 63, 64, 127, 299, 300, 301, 363, 400, 449};
    for (int i : takenBack)
        context().remove(entries[static_cast<std::size_t>(i)]);
    ASSERT_TRUE(save.value().commit().ok());

    std::string expected;
    std::int64_t lastRowId = 0;
    for (int i = 0; i < 450; ++i) {
        const std::int64_t rowId = entries[static_cast<std::size_t>(i)]->rowId();
        if (takenBack.contains(i)) {
            EXPECT_EQ(rowId, 0) << i;
            continue;
        }
        EXPECT_GT(rowId, lastRowId) << i;
        lastRowId = rowId;
        expected += (expected.empty() ? "" : ",") + std::to_string(i) + ".0";
    }
    EXPECT_EQ(storedBalances(), expected);
}

TEST_F(SaveInProgressTest, AFailureOrAnAbandonedSaveWritesNothingAndKeepsEverythingPending)
{
    ASSERT_TRUE(execOnStore(store.path, "CREATE TRIGGER refuse BEFORE INSERT ON BalanceEntry WHEN NEW.balance = 3 "
                                        "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    {
        auto save = context().beginSave();
        ASSERT_TRUE(save.ok());
        addEntry(context(), 1, 1);
        ASSERT_TRUE(save.value().writeInserted().ok());
        // A second save meanwhile (a script's, say) is refused in words, and writes nothing.
        for (const auto& second : {context().save().error().message, context().beginSave().error().message})
            EXPECT_EQ(second, QStringLiteral("The changes could not be saved (a save is in progress)"));
        addEntry(context(), 3, 3);
        auto refused = save.value().writeInserted();
        ASSERT_FALSE(refused.ok());
        EXPECT_EQ(refused.error().message, QStringLiteral("The changes could not be saved (refused)"));
        EXPECT_FALSE(save.value().commit().ok()); // the save is over
    }
    EXPECT_EQ(std::tuple(storedBalances(), context().hasChanges()), std::tuple("", true));

    ASSERT_TRUE(acceptNewEntries(store.path));
    {
        auto save = context().beginSave();
        ASSERT_TRUE(save.ok() && save.value().writeInserted().ok());
    } // dropped without a commit
    EXPECT_EQ(storedBalances(), "");
    ASSERT_TRUE(context().save().ok());
    EXPECT_EQ(storedBalances(), "1.0,3.0");
}

// A listener that fetches on every announcement, with another connection's commit not yet
// merged: nothing is announced (so nothing merged) while this connection still reads its own
// uncommitted rows, and the import's rows exist once.
TEST_F(SaveInProgressTest, ChangesAreAnnouncedAfterTheCommitWithoutGhostObjects)
{
    for (int i = 0; i < 5; ++i)
        addEntry(context(), i, i);
    ASSERT_TRUE(context().save().ok());
    LiveBalances live(context());
    ASSERT_TRUE(execOnStore(store.path, "INSERT INTO BalanceEntry (pk, balance) VALUES (100, 99)"));

    auto save = context().beginSave();
    ASSERT_TRUE(save.ok());
    for (int batch = 0; batch < 2; ++batch) {
        for (int i = 0; i < 5; ++i)
            addEntry(context(), 0, 1000 + batch * 5 + i);
        ASSERT_TRUE(save.value().writeInserted().ok());
        QCoreApplication::processEvents(); // the import's progress updates let events through
    }
    EXPECT_EQ(live.changes.size(), 0);
    ASSERT_TRUE(save.value().commit().ok());
    EXPECT_EQ(live.changes.size(), 1);
    QCoreApplication::processEvents();
    EXPECT_EQ(std::tuple(live.balances.size(), context().countBalanceEntries().value()), std::tuple(16u, 16));
}

TEST_F(SaveInProgressTest, ALargeLogIsCopiedBackAfterTheSaveNotDuringIt)
{
    const QString note(4000, QLatin1Char('n')); // about a page per entry
    for (int i = 0; i < 1500; ++i)
        addEntry(context(), i, i)->setNote(note);
    const qint64 sizeBefore = QFileInfo(store.path).size();
    ASSERT_TRUE(context().save().ok());
    EXPECT_EQ(QFileInfo(store.path).size(), sizeBefore); // committed into the log only
    EXPECT_EQ(storedBalances().substr(0, 8), "0.0,1.0,");

    QCoreApplication::processEvents();
    EXPECT_GT(QFileInfo(store.path).size(), sizeBefore + 1500 * 4000);
}

} // namespace
