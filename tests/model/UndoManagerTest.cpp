#include "StoreTestSupport.h"

#include "model/PersistenceController.h"
#include "model/UndoManager.h"

#include <gtest/gtest.h>

#include <functional>

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

// Undated entries (equal dates: insertion order) made detached and inserted one by one, as an
// import makes them.
std::vector<std::shared_ptr<ManagedObject>> insertAsImport(ObjectContext& context, int count)
{
    std::vector<std::shared_ptr<ManagedObject>> inserted;
    for (int i = 0; i < count; ++i) {
        auto entry = std::make_shared<BalanceEntry>();
        entry->setBalance(100 + i);
        context.insert(entry);
        inserted.push_back(entry);
    }
    return inserted;
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
        {"import", [&] { // another kind of change in the middle of the same action
             insertAsImport(context, 150);
             first->setAdjustment(-2);
             insertAsImport(context, 150);
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
    // After each step back or forward, saved: the state before or after the action undone or redone.
    const auto expectState = [&](std::size_t state, const std::string& what) {
        ASSERT_TRUE(context.save().ok()) << what;
        EXPECT_EQ(wholeRows(context), states[state]) << what;
        EXPECT_EQ(storedRows(), states[state]) << what;
    };
    for (std::size_t step = actions.size(); step > 0; --step) {
        undo.undo();
        expectState(step - 1, std::string("undo ") + actions[step - 1].first);
    }
    EXPECT_FALSE(undo.canUndo());
    for (std::size_t step = 1; step <= actions.size(); ++step) {
        undo.redo();
        expectState(step, std::string("redo ") + actions[step - 1].first);
    }
    EXPECT_FALSE(undo.canRedo());

    undo.undo();
    addEntry(context, 1, 1); // a new change clears what could be redone
    EXPECT_FALSE(undo.canRedo());
}

// One step per event-loop pass, or per explicit group however many passes it spans; changes
// made without an undo manager (as the seed import makes them) are not recorded; a fifty-first
// step pushes the oldest out.
TEST_F(UndoTest, StepsAreActionsOrGroupsAndTheFiftyFirstPushesTheOldestOut)
{
    context.setUndoManager(nullptr);
    auto entry = addEntry(context, 1, 0);
    endAction();
    context.setUndoManager(&undo);
    undo.beginGroup();
    entry->setTransfers(2);
    endAction();
    entry->setAdjustment(3);
    undo.endGroup();
    endAction();
    for (int step = 1; step <= 49; ++step) {
        entry->setBalance(step);
        endAction();
    }
    const auto undoAll = [&] {
        int undone = 0;
        for (; undo.canUndo(); ++undone)
            undo.undo();
        return undone;
    };
    EXPECT_EQ(undoAll(), 50);
    EXPECT_EQ(std::tuple(entry->balance(), entry->transfers(), entry->adjustment(), entry->context()), std::tuple(0.0, 0.0, 0.0, &context));
    while (undo.canRedo())
        undo.redo();
    entry->setBalance(50);
    endAction();
    EXPECT_EQ(undoAll(), 50);
    EXPECT_EQ(std::tuple(entry->balance(), entry->transfers(), entry->adjustment()), std::tuple(0.0, 2.0, 3.0));
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
    context.discard(insertAsImport(context, 1));
    context.setUndoManager(&undo);

    ASSERT_TRUE(undo.canRedo());
    undo.redo();
    EXPECT_EQ(std::tuple(entry->context(), context.fetchBalanceEntries().value().size()), std::tuple(&context, 1u));
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
        std::vector<std::weak_ptr<ManagedObject>> watched;
        {
            const auto inserted = insertAsImport(context, 10);
            watched.assign(inserted.begin(), inserted.end());
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
