#include "StoreTestSupport.h"

#include "model/PersistenceController.h"
#include "model/UndoManager.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

// The main context with the shell's undo manager (50 levels). endAction() stands for control
// returning to the event loop after one user event.
class UndoTest : public ::testing::Test {
protected:
    UndoTest()
    {
        undo.setLevelsOfUndo(50);
        context.setUndoManager(&undo);
    }
    static void endAction() { QCoreApplication::processEvents(); }

    PersistenceController controller{true};
    ObjectContext& context = controller.container().viewContext();
    UndoManager undo;
};

TEST_F(UndoTest, OneUserActionIsOneStepAndRedoRestoresIt)
{
    auto entry = addEntry(context, 1, 10); // insert and three attribute writes: one action
    ASSERT_TRUE(context.save().ok());
    endAction();
    entry->setBalance(20);
    entry->setNote(QStringLiteral("edited"));
    ASSERT_TRUE(context.save().ok());
    endAction();

    ASSERT_TRUE(undo.canUndo());
    undo.undo();
    EXPECT_EQ(entry->balance(), 10);
    EXPECT_FALSE(entry->note());
    EXPECT_TRUE(undo.canRedo());
    undo.undo();
    EXPECT_THAT(fetchedBalances(context), IsEmpty());
    EXPECT_FALSE(undo.canUndo());
    ASSERT_TRUE(context.save().ok());
    EXPECT_EQ(context.countBalanceEntries().value(), 0);

    undo.redo();
    EXPECT_THAT(fetchedBalances(context), ElementsAre(10));
    undo.redo();
    EXPECT_THAT(fetchedBalances(context), ElementsAre(20));
    EXPECT_EQ(entry->note(), QStringLiteral("edited"));
    EXPECT_FALSE(undo.canRedo());
    ASSERT_TRUE(context.save().ok());
    EXPECT_EQ(context.countBalanceEntries().value(), 1);
}

TEST_F(UndoTest, UndoOfADeleteBringsTheEntryBackAfterItsSave)
{
    auto entry = addEntry(context, 1, 10);
    ASSERT_TRUE(context.save().ok());
    endAction();
    context.remove(entry);
    ASSERT_TRUE(context.save().ok());
    endAction();
    EXPECT_THAT(fetchedBalances(context), IsEmpty());

    undo.undo();
    ASSERT_TRUE(context.save().ok());
    EXPECT_THAT(fetchedBalances(context), ElementsAre(10));
    EXPECT_EQ(storedCount(controller.container()), 1);
}

TEST_F(UndoTest, AnImportIsOneStepAndRedoKeepsItsOrder)
{
    auto edited = addEntry(context, 0, -1);
    ASSERT_TRUE(context.save().ok());
    endAction();
    // As the CSV import does: values set while detached, then inserted one by one.
    for (int i = 1; i <= 1000; ++i) {
        auto entry = std::make_shared<BalanceEntry>();
        entry->setDate(instantFromMilliseconds(5)); // all equal: the order is insertion order
        entry->setBalance(i);
        context.insert(entry);
        if (i == 500)
            edited->setBalance(-2); // another kind of change in the middle of the same action
    }
    ASSERT_TRUE(context.save().ok());
    endAction();
    const auto imported = fetchedBalances(context);
    ASSERT_EQ(imported.size(), 1001u);

    undo.undo();
    EXPECT_THAT(fetchedBalances(context), ElementsAre(-1));
    ASSERT_TRUE(context.save().ok());
    undo.redo();
    ASSERT_TRUE(context.save().ok());
    EXPECT_EQ(fetchedBalances(context), imported);
    undo.undo();
    EXPECT_THAT(fetchedBalances(context), ElementsAre(-1));
}

TEST_F(UndoTest, ANewChangeClearsRedo)
{
    auto entry = addEntry(context, 1, 10);
    endAction();
    entry->setBalance(20);
    endAction();
    undo.undo();
    ASSERT_TRUE(undo.canRedo());
    entry->setAdjustment(5);
    EXPECT_FALSE(undo.canRedo());
    endAction();
    undo.undo();
    EXPECT_EQ(entry->adjustment(), 0);
    EXPECT_EQ(entry->balance(), 10);
}

TEST_F(UndoTest, TheFiftyFirstStepPushesTheOldestOut)
{
    auto entry = BalanceEntry::create(context);
    endAction();
    for (int step = 1; step <= 51; ++step) {
        entry->setBalance(step);
        endAction();
    }
    int undone = 0;
    while (undo.canUndo()) {
        undo.undo();
        ++undone;
    }
    EXPECT_EQ(undone, 50);
    EXPECT_EQ(entry->balance(), 1); // the first change (0 -> 1) can no longer be undone
    EXPECT_EQ(entry->context(), &context); // nor the insert before it
}

TEST_F(UndoTest, ExplicitGroupsSpanEventLoopPasses)
{
    auto entry = BalanceEntry::create(context);
    endAction();
    undo.beginGroup();
    entry->setBalance(1);
    endAction();
    entry->setTransfers(2);
    undo.endGroup();
    endAction();
    undo.undo();
    EXPECT_EQ(entry->balance(), 0);
    EXPECT_EQ(entry->transfers(), 0);
}

TEST_F(UndoTest, ChangesWithoutAnUndoManagerAreNotRecorded)
{
    context.setUndoManager(nullptr);
    auto seeded = addEntry(context, 1, 1);
    ASSERT_TRUE(context.save().ok());
    endAction();
    context.setUndoManager(&undo);
    EXPECT_FALSE(undo.canUndo());
    seeded->setBalance(2);
    endAction();
    undo.undo();
    undo.undo(); // nothing further: the seeded entry stays
    EXPECT_THAT(fetchedBalances(context), ElementsAre(1));
}

TEST_F(UndoTest, RollbackForgetsRecordedSteps)
{
    auto entry = addEntry(context, 1, 1);
    endAction();
    context.rollback();
    EXPECT_FALSE(undo.canUndo());
    EXPECT_FALSE(undo.canRedo());
    EXPECT_EQ(entry->context(), nullptr);
}

} // namespace
