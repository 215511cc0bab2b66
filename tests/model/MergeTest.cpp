#include "StoreTestSupport.h"

#include "model/PersistenceController.h"

#include <QTemporaryDir>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <thread>

using ::testing::ElementsAre;

namespace {

class MergeTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        auto opened = GetParam() ? PersistentContainer::open(folder.filePath(QStringLiteral("Corvanta.sqlite")))
                                 : PersistentContainer::openInMemory();
        ASSERT_TRUE(opened.ok()) << opened.error().message.toStdString();
        container = std::move(opened).value();
    }
    ObjectContext& view() { return container->viewContext(); }

    QTemporaryDir folder;
    std::unique_ptr<PersistentContainer> container;
};

TEST_P(MergeTest, ABackgroundSaveShowsUpInALiveResult)
{
    addEntry(view(), 1, 1);
    ASSERT_TRUE(view().save().ok());
    LiveBalances live(view());

    auto background = container->newBackgroundContext();
    std::thread::id workThread;
    background->performAndWait([&](ObjectContext& context) {
        workThread = std::this_thread::get_id();
        addEntry(context, 2, 2);
        ASSERT_TRUE(context.save().ok());
    });
    EXPECT_NE(workThread, std::this_thread::get_id());
    ASSERT_TRUE(live.waitForCount(2));
    EXPECT_THAT(live.balances, ElementsAre(1, 2));
}

TEST_P(MergeTest, UnsavedMainValuesWinAttributeByAttribute)
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
    EXPECT_EQ(entry->balance(), 11);
    EXPECT_EQ(entry->adjustment(), 5);
    EXPECT_EQ(untouched->note(), QStringLiteral("from the background"));
    EXPECT_EQ(doomed->context(), nullptr);
    EXPECT_TRUE(view().hasChanges());

    ASSERT_TRUE(view().save().ok());
    container->newBackgroundContext()->performAndWait([&](ObjectContext& context) {
        auto entries = context.fetchBalanceEntries().value();
        ASSERT_EQ(entries.size(), 2u);
        EXPECT_EQ(entries[0]->balance(), 11);
        EXPECT_EQ(entries[0]->adjustment(), 5);
        EXPECT_EQ(entries[1]->note(), QStringLiteral("from the background"));
    });
}

TEST_P(MergeTest, ConcurrentBackgroundSavesLoseNothing)
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
            for (int save = 0; save < savesPerWriter; ++save) {
                background->performAndWait([&](ObjectContext& context) {
                    for (int i = 0; i < entriesPerSave; ++i)
                        addEntry(context, writer * 1000 + save * entriesPerSave + i, writer);
                    if (!context.save().ok())
                        ++failures;
                });
            }
        });
    }
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(failures, 0);
    constexpr std::size_t total = writers * savesPerWriter * entriesPerSave;
    EXPECT_EQ(storedCount(*container), static_cast<std::int64_t>(total));
    EXPECT_TRUE(live.waitForCount(total));
}

INSTANTIATE_TEST_SUITE_P(Stores, MergeTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "File" : "Memory"; });

TEST(BackgroundContext, WorkRunsSynchronouslyAndPassesExceptionsBack)
{
    PersistenceController controller(true);
    auto background = controller.container().newBackgroundContext();
    int runs = 0;
    background->performAndWait([&](ObjectContext&) { ++runs; });
    EXPECT_EQ(runs, 1);
    EXPECT_THROW(background->performAndWait([](ObjectContext&) { throw std::runtime_error("boom"); }), std::runtime_error);
}

} // namespace
