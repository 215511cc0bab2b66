#include "StoreTestSupport.h"
#include "support/StoreSql.h"

#include "model/PersistenceController.h"

#include <gmock/gmock.h>

#include <cmath>
#include <limits>

using ::testing::ElementsAre;

namespace {

class ObjectContextTest : public ::testing::Test {
protected:
    PersistenceController controller{true};
    ObjectContext& context = controller.container().viewContext();
};

TEST_F(ObjectContextTest, FetchSortsByDateKeepingInsertionOrderForTies)
{
    addEntry(context, 300, 1);
    addEntry(context, 100, 2);
    addEntry(context, 300, 3);
    ASSERT_TRUE(context.save().ok());
    addEntry(context, 100, 4); // pending inserts follow the stored rows among equals
    BalanceEntry::create(context)->setBalance(5); // no date: before every dated entry

    EXPECT_THAT(fetchedBalances(context), ElementsAre(5, 2, 4, 1, 3));
    EXPECT_THAT(fetchedBalances(context, SortDirection::Descending), ElementsAre(1, 3, 2, 4, 5));
}

// Rows inserted already in date order: read backwards, ties still keep insertion order.
TEST_F(ObjectContextTest, DescendingFetchOfRowsStoredInDateOrderKeepsTiesInInsertionOrder)
{
    BalanceEntry::create(context)->setBalance(1);
    for (const auto& [date, balance] : {std::pair{100, 2}, {100, 3}, {200, 4}, {300, 5}, {300, 6}})
        addEntry(context, date, balance);
    EXPECT_THAT(fetchedBalances(context, SortDirection::Descending), ElementsAre(5, 6, 4, 2, 3, 1));
}

// The key of the deleted last row is never handed out again.
TEST_F(ObjectContextTest, CountsAndFetchesApplyPendingInsertsAndDeletes)
{
    addEntry(context, 1, 1);
    auto last = addEntry(context, 2, 2);
    ASSERT_TRUE(context.save().ok());
    addEntry(context, 3, 3);
    context.remove(last);
    // The store itself is unchanged until the save.
    EXPECT_EQ(std::tuple(last->isDeleted(), context.countBalanceEntries().value(), storedCount(controller.container())), std::tuple(true, 2, 2));
    EXPECT_THAT(fetchedBalances(context), ElementsAre(1, 3));

    const std::int64_t lastKey = last->rowId();
    ASSERT_TRUE(context.save().ok());
    EXPECT_EQ(std::tuple(storedCount(controller.container()), last->context(), context.hasChanges()), std::tuple(2, nullptr, false));
    auto next = addEntry(context, 4, 4);
    ASSERT_TRUE(context.save().ok());
    EXPECT_GT(next->rowId(), lastKey);
}

TEST_F(ObjectContextTest, RollbackRestoresTheLastSavedState)
{
    auto kept = addEntry(context, 1, 10);
    auto removed = addEntry(context, 2, 20);
    ASSERT_TRUE(context.save().ok());

    kept->setBalance(11);
    kept->setNote(QStringLiteral("changed"));
    context.remove(removed);
    auto inserted = addEntry(context, 3, 30);
    ASSERT_TRUE(context.hasChanges());

    QCoreApplication::processEvents(); // reports the changes above
    QSignalSpy changes(&context, &ObjectContext::objectsDidChange);
    context.rollback();
    EXPECT_EQ(std::tuple(context.hasChanges(), kept->balance(), kept->note(), removed->isDeleted(), inserted->context()),
              std::tuple(false, 10.0, std::optional<QString>(), false, nullptr));
    EXPECT_THAT(fetchedBalances(context), ElementsAre(10, 20));
    QCoreApplication::processEvents();
    EXPECT_EQ(changes.count(), 1);
}

// One change set per event-loop pass, saying per object what the pass did in sum.
TEST_F(ObjectContextTest, ChangesOfOnePassAreFoldedIntoOneChangeSet)
{
    auto edited = addEntry(context, 1, 1);
    auto doomed = addEntry(context, 2, 2);
    ASSERT_TRUE(context.save().ok());
    QCoreApplication::processEvents();
    std::vector<ChangeSet> sets;
    QObject receiver;
    QObject::connect(&context, &ObjectContext::objectsDidChange, &receiver, [&](const ChangeSet& changes) { sets.push_back(changes); });
    QSignalSpy saves(&context, &ObjectContext::didSave);

    for (int i = 0; i < 10'000; ++i)
        addEntry(context, i, i);
    context.remove(addEntry(context, 3, 3)); // in and out again: in neither list
    edited->setBalance(5);
    edited->setNote(QStringLiteral("n"));
    context.remove(doomed);
    EXPECT_TRUE(sets.empty());
    QCoreApplication::processEvents();
    ASSERT_EQ(sets.size(), 1u);
    const auto& entries = sets[0].entries;
    EXPECT_EQ(entries.inserted.size(), 10'000u);
    EXPECT_EQ(entries.deleted, std::vector<std::shared_ptr<BalanceEntry>>{doomed});
    ASSERT_EQ(entries.updated.size(), 1u);
    EXPECT_EQ(std::pair(entries.updated[0].object, entries.updated[0].attributes), std::pair(edited, (1u << BalanceEntry::Balance) | (1u << BalanceEntry::Note)));
    EXPECT_TRUE(sets[0].years.isEmpty());

    addEntry(context, 0, 0);
    ASSERT_TRUE(context.save().ok()); // reports the pending change within the save
    EXPECT_EQ(std::pair(sets.size(), saves.count()), std::pair(2ul, 1ll));
    QCoreApplication::processEvents();
    EXPECT_EQ(sets.size(), 2u);
}

TEST_F(ObjectContextTest, AFetchIncludesWhatAnotherContextJustCommitted)
{
    addEntry(context, 1, 1);
    ASSERT_TRUE(context.save().ok());
    EXPECT_THAT(fetchedBalances(context), ElementsAre(1));
    controller.container().newBackgroundContext()->performAndWait([](ObjectContext& background) {
        addEntry(background, 2, 2);
        ASSERT_TRUE(background.save().ok());
    });
    // No event-loop pass in between: the fetch itself notices the commit.
    EXPECT_THAT(fetchedBalances(context), ElementsAre(1, 2));
    EXPECT_EQ(context.countBalanceEntries().value(), 2);
}

TEST(ObjectContextFile, ChangesPersistAcrossReopening)
{
    TemporaryFileStore store;
    const Uuid id = Uuid::random();
    auto entry = addEntry(store.context(), 1'700'000'000'123, 1);
    entry->setId(id);
    addEntry(store.context(), 5, 2);
    ASSERT_TRUE(store.context().save().ok());
    entry->setNote(QStringLiteral("note"));
    entry->setTransfers(-4.5);
    store.context().remove(store.context().fetchBalanceEntries().value()[0]); // the one dated 5
    auto year = TSXYear::create(store.context()); // the narrowest and widest values of each column
    year->setYear(std::numeric_limits<std::int32_t>::min());
    year->setSortOrder(std::numeric_limits<std::int16_t>::min());
    year->setLabel(QString());
    EXPECT_EQ(year->displayName(), QStringLiteral("-2147483648")); // an empty label is none: the number, ungrouped
    year->setLabel(QStringLiteral("Année ✓"));
    year->setTsxReturn(std::numeric_limits<double>::quiet_NaN());
    ASSERT_TRUE(store.context().save().ok());
    store.container.reset();
    store.container = PersistentContainer::open(store.path).value();

    const auto entries = store.context().fetchBalanceEntries().value();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(std::tuple(entries[0]->id(), millisecondsOf(*entries[0]->date()), entries[0]->note(), entries[0]->transfers()),
              std::tuple(std::optional(id), 1'700'000'000'123LL, std::optional(QStringLiteral("note")), -4.5));
    const auto years = store.context().fetchTSXYears().value();
    ASSERT_EQ(years.size(), 1u);
    EXPECT_EQ(std::tuple(years[0]->year(), years[0]->sortOrder(), years[0]->label()),
              std::tuple(std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int16_t>::min(), std::optional(QStringLiteral("Année ✓"))));
    EXPECT_TRUE(std::isnan(years[0]->tsxReturn()));
    EXPECT_EQ(years[0]->displayName(), QStringLiteral("Année ✓"));
}

TEST(ObjectContextFile, AFailedSaveKeepsEverythingPending)
{
    TemporaryFileStore store;
    ObjectContext& context = store.context();
    auto stored = addEntry(context, 1, 1);
    ASSERT_TRUE(context.save().ok());
    ASSERT_TRUE(refuseNewEntries(store.path)); // another connection makes the store refuse new rows

    stored->setBalance(2); // the update runs before the refused insert: it must be undone too
    auto pending = addEntry(context, 2, 3);
    auto saved = context.save();
    ASSERT_FALSE(saved.ok());
    EXPECT_EQ(saved.error().message, QStringLiteral("The changes could not be saved (refused)"));
    const char* storedBalances = "SELECT group_concat(balance) FROM BalanceEntry";
    EXPECT_EQ(std::tuple(context.hasChanges(), pending->rowId(), queryStore(store.path, storedBalances)), std::tuple(true, 0, "1.0"));
    EXPECT_THAT(fetchedBalances(context), ElementsAre(2, 3));

    ASSERT_TRUE(acceptNewEntries(store.path));
    ASSERT_TRUE(context.save().ok());
    EXPECT_EQ(std::tuple(context.hasChanges(), pending->rowId() > stored->rowId(), queryStore(store.path, storedBalances)), std::tuple(false, true, "2.0,3.0"));
}

// An edit of a row another program deleted meanwhile is a failed save, not a silent loss, also
// when a change listener fetches during the save (its fetch must not merge the delete first);
// the row then leaves this context and the next save succeeds.
TEST(ObjectContextFile, AnEditOfARowDeletedElsewhereIsReported)
{
    for (const bool listenerFetches : {false, true}) {
        TemporaryFileStore store;
        ObjectContext& context = store.context();
        auto gone = addEntry(context, 1, 1);
        addEntry(context, 2, 2);
        ASSERT_TRUE(context.save().ok());
        ASSERT_TRUE(execOnStore(store.path, "DELETE FROM BalanceEntry WHERE balance = 1"));
        QObject listener;
        if (listenerFetches)
            QObject::connect(&context, &ObjectContext::objectsDidChange, &listener, [&] { (void)context.fetchBalanceEntries(); });

        gone->setBalance(10);
        auto saved = context.save();
        ASSERT_FALSE(saved.ok()) << listenerFetches;
        EXPECT_EQ(saved.error().message, QStringLiteral("The changes could not be saved (an edited item was deleted by another program)"));
        EXPECT_EQ(gone->context(), nullptr);
        EXPECT_THAT(fetchedBalances(context), ElementsAre(2));
        EXPECT_TRUE(context.save().ok());
    }
}

TEST(Entities, ObjectsOutlivingTheirContextEndDetached)
{
    std::shared_ptr<BalanceEntry> kept;
    {
        PersistenceController controller(true);
        kept = BalanceEntry::create(controller.container().viewContext());
        ASSERT_TRUE(controller.container().viewContext().save().ok());
    }
    EXPECT_EQ(kept->context(), nullptr);
    kept->setBalance(3); // must not reach the context that is gone
    EXPECT_EQ(kept->balance(), 3);
}

} // namespace
