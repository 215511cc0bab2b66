#include "StoreTestSupport.h"

#include "model/PersistenceController.h"
#include "model/UndoManager.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

using ::testing::ElementsAre;

namespace {

// Every attribute of every entry, in date order: what "the same state" means below.
std::vector<QString> wholeRows(ObjectContext& context)
{
    std::vector<QString> rows;
    for (const auto& entry : context.fetchBalanceEntries().value())
        rows.push_back(QStringLiteral("%1|%2|%3|%4|%5|%6")
                           .arg(QString::fromStdString(entry->id() ? entry->id()->toString() : "-"))
                           .arg(entry->date() ? millisecondsOf(*entry->date()) : -1)
                           .arg(entry->balance())
                           .arg(entry->adjustment())
                           .arg(entry->transfers())
                           .arg(entry->note().value_or(QStringLiteral("-"))));
    return rows;
}

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
    std::vector<QString> storedRows()
    {
        std::vector<QString> rows;
        controller.container().newBackgroundContext()->performAndWait([&](ObjectContext& other) { rows = wholeRows(other); });
        return rows;
    }

    PersistenceController controller{true};
    ObjectContext& context = controller.container().viewContext();
    UndoManager undo;
};

// Each user action is one step: undo gives back the whole rows as they were before it, redo
// those after it, in memory and once saved.
TEST_F(UndoTest, UndoAndRedoRestoreWholeRows)
{
    std::shared_ptr<BalanceEntry> first;
    const std::vector<std::pair<const char*, std::function<void()>>> actions = {
        {"insert", [&] { first = addEntry(context, 10, 10); }},
        {"edit", [&] {
             first->setBalance(20);
             first->setNote(QStringLiteral("edited"));
             first->setDate(instantFromMilliseconds(30));
         }},
        {"import", [&] {
             // As an import does: values set while detached, inserted one by one, with
             // another kind of change in the middle of the same action.
             for (int i = 1; i <= 300; ++i) {
                 auto entry = std::make_shared<BalanceEntry>();
                 entry->setDate(instantFromMilliseconds(20)); // equal dates: insertion order
                 entry->setBalance(i);
                 context.insert(entry);
                 if (i == 150)
                     first->setAdjustment(-2);
             }
         }},
        {"delete", [&] { context.remove(first); }},
    };
    std::vector<std::vector<QString>> states{wholeRows(context)};
    for (const auto& [name, action] : actions) {
        action();
        ASSERT_TRUE(context.save().ok()) << name;
        endAction();
        states.push_back(wholeRows(context));
    }
    for (std::size_t step = actions.size(); step > 0; --step) {
        undo.undo();
        ASSERT_TRUE(context.save().ok());
        EXPECT_EQ(wholeRows(context), states[step - 1]) << "undo " << actions[step - 1].first;
        EXPECT_EQ(storedRows(), states[step - 1]) << "undo " << actions[step - 1].first;
    }
    EXPECT_FALSE(undo.canUndo());
    for (std::size_t step = 1; step <= actions.size(); ++step) {
        undo.redo();
        ASSERT_TRUE(context.save().ok());
        EXPECT_EQ(wholeRows(context), states[step]) << "redo " << actions[step - 1].first;
        EXPECT_EQ(storedRows(), states[step]) << "redo " << actions[step - 1].first;
    }
    EXPECT_FALSE(undo.canRedo());

    undo.undo();
    addEntry(context, 1, 1); // a new change clears what could be redone
    EXPECT_FALSE(undo.canRedo());
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
    for (; undo.canUndo(); ++undone)
        undo.undo();
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

// Taking back a failed import's entries leaves the user's earlier steps undoable.
TEST_F(UndoTest, DiscardTakesBackOnlyTheGivenObjects)
{
    auto kept = addEntry(context, 1, 1);
    ASSERT_TRUE(context.save().ok());
    endAction();
    kept->setBalance(2); // the user's unsaved edit
    endAction();
    const auto before = wholeRows(context);
    std::vector<std::shared_ptr<ManagedObject>> imported;
    for (int i = 0; i < 3; ++i) {
        auto entry = std::make_shared<BalanceEntry>(); // as an import makes them
        entry->setBalance(100);
        context.insert(entry);
        imported.push_back(entry);
    }
    context.discard(imported);
    endAction();

    EXPECT_EQ(wholeRows(context), before);
    for (const auto& object : imported)
        EXPECT_EQ(object->context(), nullptr);
    ASSERT_TRUE(undo.canUndo());
    undo.undo();
    EXPECT_EQ(kept->balance(), 1);
}

// Regression: a discard used to drop every detached object from the newest membership step,
// so an insert that was undone and saved (detached, waiting in the redo step) was lost.
TEST_F(UndoTest, DiscardLeavesAnUndoneInsertRedoable)
{
    auto entry = addEntry(context, 1, 1);
    endAction();
    ASSERT_TRUE(context.save().ok());
    undo.undo();
    ASSERT_TRUE(context.save().ok());
    ASSERT_EQ(entry->context(), nullptr);

    context.setUndoManager(nullptr); // a change made unrecorded, then taken back
    auto other = std::make_shared<BalanceEntry>();
    context.insert(other);
    context.discard({other});
    context.setUndoManager(&undo);

    ASSERT_TRUE(undo.canRedo());
    undo.redo();
    EXPECT_EQ(entry->context(), &context);
    EXPECT_EQ(context.fetchBalanceEntries().value().size(), 1u);
}

// Inserts taken back by a rollback, a discard, or an undo (its redo step then cleared) are
// not kept alive by the undo bookkeeping.
TEST_F(UndoTest, WithdrawnInsertsAreReleased)
{
    const std::vector<std::pair<const char*, std::function<void(const std::vector<std::shared_ptr<ManagedObject>>&)>>> withdrawals = {
        {"rollback", [&](const auto&) { context.rollback(); }},
        {"discard", [&](const auto& objects) { context.discard(objects); }},
        {"undo, then a new change", [&](const auto&) {
             undo.undo();
             addEntry(context, 9, 9);
         }},
    };
    for (const auto& [name, withdraw] : withdrawals) {
        std::vector<std::weak_ptr<BalanceEntry>> watched;
        {
            std::vector<std::shared_ptr<ManagedObject>> inserted;
            for (int i = 0; i < 10; ++i) {
                auto entry = std::make_shared<BalanceEntry>(); // as an import makes them
                entry->setBalance(i);
                context.insert(entry);
                watched.push_back(entry);
                inserted.push_back(entry);
            }
            endAction();
            withdraw(inserted);
            ASSERT_TRUE(context.save().ok());
            endAction();
        }
        for (const auto& object : watched)
            EXPECT_TRUE(object.expired()) << name;
    }
    EXPECT_TRUE(context.save().ok());
}

} // namespace
