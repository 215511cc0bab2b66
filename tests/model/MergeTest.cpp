#include "StoreTestSupport.h"
#include "support/StoreSql.h"

#include "model/PersistenceController.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

// The window's context and background contexts on one store file.
class MergeTest : public ::testing::Test {
protected:
    ObjectContext& view() { return store.context(); }

    TemporaryFileStore store;
    std::unique_ptr<PersistentContainer>& container = store.container;
};

TEST_F(MergeTest, UnsavedMainValuesWinAttributeByAttribute)
{
    auto entry = addEntry(view(), 1, 10);
    auto untouched = addEntry(view(), 2, 20);
    auto doomed = addEntry(view(), 3, 30);
    ASSERT_TRUE(view().save().ok());
    LiveBalances live(view());
    entry->setBalance(11); // unsaved in the main context

    container->newBackgroundContext()->performAndWait([&](ObjectContext& context) {
        auto entries = context.fetchBalanceEntries().value();
        ASSERT_EQ(entries.size(), 3u);
        entries[0]->setBalance(99);   // conflicts with the main context's change
        entries[0]->setAdjustment(5); // changed only here
        entries[1]->setNote(QStringLiteral("from the background"));
        context.remove(entries[2]);
        ASSERT_TRUE(context.save().ok());
    });
    ASSERT_TRUE(live.waitForCount(2));
    const auto fromTheBackground = std::optional(QStringLiteral("from the background"));
    EXPECT_EQ(std::tuple(entry->balance(), entry->adjustment(), untouched->note(), doomed->context()), std::tuple(11.0, 5.0, fromTheBackground, nullptr));
    EXPECT_TRUE(view().hasChanges());

    ASSERT_TRUE(view().save().ok());
    container->newBackgroundContext()->performAndWait([&](ObjectContext& context) {
        const auto entries = context.fetchBalanceEntries().value();
        ASSERT_EQ(entries.size(), 2u);
        EXPECT_EQ(std::tuple(entries[0]->balance(), entries[0]->adjustment(), entries[1]->note()), std::tuple(11.0, 5.0, fromTheBackground));
    });
}

TEST_F(MergeTest, ConcurrentBackgroundSavesLoseNothing)
{
    LiveBalances live(view());
    constexpr int writers = 4;
    constexpr int savesPerWriter = 25;
    constexpr int entriesPerSave = 10;
    std::vector<std::thread> threads;
    std::atomic<int> failures = 0;
    for (int writer = 0; writer < writers; ++writer) {
        threads.emplace_back([&, writer]() {
            auto background = container->newBackgroundContext();
            for (int save = 0; save < savesPerWriter; ++save)
                background->performAndWait([&](ObjectContext& context) {
                    for (int i = 0; i < entriesPerSave; ++i)
                        addEntry(context, writer * 1000 + save * entriesPerSave + i, writer);
                    if (!context.save().ok())
                        ++failures;
                });
        });
    }
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(failures, 0);
    constexpr std::size_t total = writers * savesPerWriter * entriesPerSave;
    EXPECT_EQ(storedCount(*container), static_cast<std::int64_t>(total));
    EXPECT_TRUE(live.waitForCount(total));
}

// Another program's edits by plain SQL: a few are read from the change log; after more than
// the log keeps, the tables are read whole once.
TEST(ForeignEdits, ArriveWhetherTheLogReachesBackOrNot)
{
    for (const int rows : {3, 12'000}) {
        TemporaryFileStore store;
        for (int i = 0; i < rows; ++i)
            addEntry(store.context(), i, i);
        ASSERT_TRUE(store.context().save().ok());
        LiveBalances live(store.context());
        ASSERT_TRUE(execOnStore(store.path, "UPDATE BalanceEntry SET balance = balance + 1000;"
                                            " DELETE FROM BalanceEntry WHERE balance = 1000;"
                                            " INSERT INTO BalanceEntry (balance, date) VALUES (5000, 99999)"));
        for (int round = 0; round < 20 && live.balances.back() != 5000; ++round)
            live.changes.wait(500);
        ASSERT_EQ(live.balances.size(), static_cast<std::size_t>(rows));
        EXPECT_EQ(std::tuple(live.balances.front(), live.balances[static_cast<std::size_t>(rows) - 2], live.balances.back()),
                  std::tuple(1001, 999 + rows, 5000)) << rows;
    }
}

// A store of the first version gains the change log when opened, and merges through it.
TEST(ForeignEdits, AnOlderStoreGainsTheLog)
{
    TemporaryFileStore store;
    const QString& path = store.path;
    addEntry(store.context(), 1, 1);
    ASSERT_TRUE(store.context().save().ok());
    store.container.reset();
    ASSERT_TRUE(execOnStore(path, "DROP TABLE ChangeLog; DROP TRIGGER BalanceEntryUpdated; DROP TRIGGER BalanceEntryDeleted;"
                                  " DROP TRIGGER TSXYearUpdated; DROP TRIGGER TSXYearDeleted; PRAGMA user_version = 1"));
    store.container = PersistentContainer::open(path).value();
    EXPECT_EQ(queryStore(path, "PRAGMA user_version"), "2");
    LiveBalances live(store.context());
    ASSERT_TRUE(execOnStore(path, "UPDATE BalanceEntry SET balance = 7"));
    for (int round = 0; round < 20 && live.balances != std::vector<double>{7}; ++round)
        live.changes.wait(500);
    EXPECT_EQ(live.balances, std::vector<double>{7});
}

TEST(BackgroundContext, WorkRunsOnItsOwnThreadAndPassesExceptionsBack)
{
    PersistenceController controller(true);
    auto background = controller.container().newBackgroundContext();
    std::thread::id workThread;
    background->performAndWait([&](ObjectContext&) { workThread = std::this_thread::get_id(); });
    EXPECT_NE(workThread, std::this_thread::get_id());
    EXPECT_THROW(background->performAndWait([](ObjectContext&) { throw std::runtime_error("boom"); }), std::runtime_error);
}

} // namespace
