#include "StoreTestSupport.h"
#include "support/StoreSql.h"

#include "model/UndoManager.h"
#include "model/UserAction.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// Every attribute of every entry and its row key, in date order: what "the same state" means
// below (the order of entries on one day, and so their adjusted balances, follows the keys).
std::vector<QString> wholeRows(ObjectContext& context)
{
    std::vector<QString> rows;
    for (const auto& entry : context.fetchBalanceEntries().value())
        rows.push_back(QStringLiteral("%1|%2|%3|%4|%5|%6|%7")
                           .arg(entry->rowId())
                           .arg(QString::fromStdString(entry->id() ? entry->id()->toString() : "-"))
                           .arg(entry->date() ? millisecondsOf(*entry->date()) : -1)
                           .arg(entry->balance())
                           .arg(entry->adjustment())
                           .arg(entry->transfers())
                           .arg(entry->note().value_or(QStringLiteral("-"))));
    return rows;
}

// Undated entries made detached and inserted one by one, as an import makes them.
std::vector<std::weak_ptr<BalanceEntry>> insertAsImport(ObjectContext& context, int count)
{
    std::vector<std::weak_ptr<BalanceEntry>> inserted;
    for (int i = 0; i < count; ++i) {
        auto entry = std::make_shared<BalanceEntry>();
        entry->setBalance(100 + i);
        context.insert(entry);
        inserted.push_back(entry);
    }
    return inserted;
}

// The main context of a store file with the shell's undo manager (50 levels).
class UndoTest : public ::testing::Test {
protected:
    UndoTest()
    {
        undo.setLevelsOfUndo(50);
        context.setUndoManager(&undo);
    }
    ~UndoTest() override { context.setUndoManager(nullptr); }
    Result<void> act(const char* name, const std::function<void()>& change)
    {
        UserAction action(context);
        change();
        return action.save(QString::fromUtf8(name));
    }
    std::vector<QString> storedRows()
    {
        std::vector<QString> rows;
        store.container->newBackgroundContext()->performAndWait([&](ObjectContext& other) { rows = wholeRows(other); });
        return rows;
    }

    TemporaryFileStore store;
    ObjectContext& context = store.context();
    UndoManager undo;
};

// Each action is one named step: undo gives back the whole rows as they were before it, redo
// those after it, in memory and in the store.
TEST_F(UndoTest, UndoAndRedoRestoreWholeRows)
{
    std::shared_ptr<BalanceEntry> first;
    const std::vector<std::pair<const char*, std::function<void()>>> actions = {
        {"Add Entry", [&] { first = addEntry(context, 10, 10); }},
        {"Edit Entry", [&] {
             first->setBalance(20);
             first->setNote(QStringLiteral("edited"));
             first->setDate(instantFromMilliseconds(30));
             first->setId(std::nullopt);
         }},
        {"Import 300 Entries", [&] { // another kind of change in the middle of the same action
             insertAsImport(context, 150);
             first->setAdjustment(-2);
             insertAsImport(context, 150);
         }},
        {"Delete Entry", [&] { context.remove(first); }},
    };
    std::vector<std::vector<QString>> states{wholeRows(context)};
    for (const auto& [name, change] : actions) {
        ASSERT_TRUE(act(name, change).ok()) << name;
        EXPECT_EQ(undo.undoName(), QString::fromUtf8(name));
        states.push_back(wholeRows(context));
    }
    const auto expectState = [&](std::size_t state, const std::string& what) {
        EXPECT_FALSE(context.hasChanges()) << what;
        EXPECT_EQ(wholeRows(context), states[state]) << what;
        EXPECT_EQ(storedRows(), states[state]) << what;
    };
    for (std::size_t step = actions.size(); step > 0; --step) {
        ASSERT_TRUE(undo.undo().ok());
        EXPECT_EQ(undo.redoName(), QString::fromUtf8(actions[step - 1].first));
        expectState(step - 1, std::string("undo ") + actions[step - 1].first);
    }
    EXPECT_EQ(std::tuple(undo.canUndo(), undo.undoName()), std::tuple(false, QString()));
    for (std::size_t step = 1; step <= actions.size(); ++step) {
        ASSERT_TRUE(undo.redo().ok());
        expectState(step, std::string("redo ") + actions[step - 1].first);
    }
    EXPECT_FALSE(undo.canRedo());

    ASSERT_TRUE(undo.undo().ok());
    ASSERT_TRUE(act("Add Entry", [&] { addEntry(context, 1, 1); }).ok()); // a new action clears what could be redone
    EXPECT_EQ(std::tuple(undo.canRedo(), undo.redoName()), std::tuple(false, QString()));
}

// Entries deleted and brought back by undo keep their row keys: three entries on one day keep
// their order, whichever of them were deleted and in whatever steps.
TEST_F(UndoTest, UndoOfADeleteKeepsRowKeysAndSameDayOrder)
{
    std::vector<std::shared_ptr<BalanceEntry>> day;
    ASSERT_TRUE(act("Add", [&] {
                    for (int i = 0; i < 3; ++i)
                        day.push_back(addEntry(context, 86400000, i));
                }).ok());
    const auto before = wholeRows(context);
    ASSERT_TRUE(act("Delete Entry", [&] { context.remove(day[1]); }).ok());
    ASSERT_TRUE(act("Delete 2 Entries", [&] {
                    context.remove(day[2]);
                    context.remove(day[0]);
                }).ok());
    ASSERT_TRUE(undo.undo().ok());
    ASSERT_TRUE(undo.undo().ok());
    EXPECT_EQ(wholeRows(context), before);
    EXPECT_EQ(storedRows(), before);
    // Another connection that had merged the deletes sees them come back where they were.
    ASSERT_TRUE(undo.redo().ok());
    ASSERT_TRUE(undo.redo().ok());
    std::vector<QString> merged;
    auto other = store.container->newBackgroundContext();
    other->performAndWait([&](ObjectContext& c) { merged = wholeRows(c); });
    ASSERT_TRUE(merged.empty());
    ASSERT_TRUE(undo.undo().ok());
    ASSERT_TRUE(undo.undo().ok());
    other->performAndWait([&](ObjectContext& c) { merged = wholeRows(c); });
    EXPECT_EQ(merged, before);
    // All of them in one step: the undo brings them back last first, into an empty registry.
    ASSERT_TRUE(act("Delete 3 Entries", [&] {
                    for (const auto& entry : day)
                        context.remove(entry);
                }).ok());
    ASSERT_TRUE(undo.undo().ok());
    EXPECT_EQ(wholeRows(context), before);
}

// An edit inside an action is undone whatever the entry's state when the action began:
// stored, inserted and not yet saved, or deleted, saved and inserted again.
TEST_F(UndoTest, EditsAreUndoneWhateverTheEntrysState)
{
    auto stored = addEntry(context, 1, 1);
    auto restored = addEntry(context, 2, 2);
    ASSERT_TRUE(context.save().ok());
    context.remove(restored);
    ASSERT_TRUE(context.save().ok());
    auto inserted = addEntry(context, 3, 3);
    context.insert(restored);
    context.processPendingChanges(); // the edits below start new change records
    ASSERT_TRUE(act("Edit", [&] { for (const auto& entry : {stored, restored, inserted}) entry->setBalance(entry->balance() * 10); }).ok());
    const auto balances = [&] { return std::tuple(stored->balance(), restored->balance(), inserted->balance(), storedRows().size()); };
    ASSERT_TRUE(undo.undo().ok());
    EXPECT_EQ(balances(), std::tuple(1.0, 2.0, 3.0, std::size_t{3}));
    ASSERT_TRUE(undo.redo().ok());
    EXPECT_EQ(balances(), std::tuple(10.0, 20.0, 30.0, std::size_t{3}));
}

// An undo or redo whose save fails leaves the context showing what the store holds, and the
// step where it was, to be tried again.
TEST_F(UndoTest, AFailedUndoOrRedoShowsWhatTheStoreHolds)
{
    std::shared_ptr<BalanceEntry> entry;
    ASSERT_TRUE(act("Add Entry", [&] { entry = addEntry(context, 1, 1); }).ok());
    ASSERT_TRUE(act("Edit Entry", [&] { entry->setBalance(2); }).ok());
    const auto edited = wholeRows(context);
    ASSERT_TRUE(execOnStore(store.path, "CREATE TRIGGER refuse BEFORE UPDATE ON BalanceEntry BEGIN SELECT RAISE(ABORT, 'disk full'); END"));
    const Result<void> undone = undo.undo();
    ASSERT_FALSE(undone.ok());
    EXPECT_TRUE(undone.error().message.contains(QStringLiteral("disk full")));
    EXPECT_EQ(wholeRows(context), edited);
    EXPECT_FALSE(context.hasChanges());
    EXPECT_EQ(std::tuple(undo.undoName(), undo.canRedo()), std::tuple(QStringLiteral("Edit Entry"), false));

    ASSERT_TRUE(execOnStore(store.path, "DROP TRIGGER refuse"));
    ASSERT_TRUE(undo.undo().ok());
    ASSERT_TRUE(execOnStore(store.path, "CREATE TRIGGER refuse BEFORE UPDATE ON BalanceEntry BEGIN SELECT RAISE(ABORT, 'disk full'); END"));
    entry->setNote(QStringLiteral("pending")); // another change pending: it stays
    const auto pending = wholeRows(context);
    EXPECT_FALSE(undo.redo().ok());
    EXPECT_EQ(wholeRows(context), pending);
    EXPECT_EQ(undo.redoName(), QStringLiteral("Edit Entry"));
}

// A fifty-first step pushes the oldest out; changes made outside an action are no step.
TEST_F(UndoTest, TheFiftyFirstStepPushesTheOldestOut)
{
    auto entry = addEntry(context, 1, 0);
    ASSERT_TRUE(context.save().ok());
    EXPECT_FALSE(undo.canUndo());
    for (int step = 1; step <= 51; ++step)
        ASSERT_TRUE(act(std::to_string(step).c_str(), [&] { entry->setBalance(step); }).ok());
    int undone = 0;
    for (; undo.canUndo(); ++undone)
        ASSERT_TRUE(undo.undo().ok());
    EXPECT_EQ(std::tuple(undone, entry->balance(), undo.redoName()), std::tuple(50, 1.0, QStringLiteral("2")));
}

// Inserts taken back by a rollback, a failed action, or an undo (its redo step then dropped)
// are not kept alive by the undo bookkeeping.
TEST_F(UndoTest, WithdrawnInsertsAreReleased)
{
    std::vector<std::weak_ptr<BalanceEntry>> watched;
    const std::vector<std::pair<const char*, std::function<void()>>> withdrawals = {
        {"rollback", [&] {
             watched = insertAsImport(context, 10);
             context.rollback();
         }},
        {"failed action", [&] {
             ASSERT_TRUE(refuseNewEntries(store.path));
             EXPECT_FALSE(act("Import", [&] { watched = insertAsImport(context, 10); }).ok());
             ASSERT_TRUE(acceptNewEntries(store.path));
         }},
        {"undo, then a new action", [&] {
             ASSERT_TRUE(act("Import", [&] { watched = insertAsImport(context, 10); }).ok());
             ASSERT_TRUE(undo.undo().ok());
             ASSERT_TRUE(act("Add", [&] { addEntry(context, 9, 9); }).ok());
         }},
    };
    for (const auto& [name, withdraw] : withdrawals) {
        withdraw();
        QCoreApplication::processEvents();
        ASSERT_EQ(watched.size(), 10u) << name;
        for (const auto& object : watched)
            EXPECT_TRUE(object.expired()) << name;
    }
    EXPECT_FALSE(context.hasChanges());
}

} // namespace
