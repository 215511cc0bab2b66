// Whole-store copies: taken while another process writes, and restored under open contexts.
#include "StoreTestSupport.h"

#include "model/store/StoreBackup.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTest>
#include <gmock/gmock.h>

namespace {

std::int64_t entriesIn(const QString& path)
{
    auto opened = PersistentContainer::open(path);
    return opened ? opened.value()->viewContext().countBalanceEntries().value() : -1;
}

TEST(StoreBackupTest, CopiesTakenWhileAnotherProcessWritesAreConsistentAndOpen)
{
    TemporaryFileStore store;
    addEntry(store.context(), 0, 1);
    ASSERT_TRUE(store.context().save());
    QProcess writer;
    writer.start(QStringLiteral(STORE_PROBE), {store.path, QStringLiteral("1000"), QStringLiteral("each")});
    ASSERT_TRUE(writer.waitForStarted());

    std::vector<std::pair<QString, StoreContents>> copies;
    do {
        const QString target = store.folder.filePath(QStringLiteral("copy-%1.sqlite").arg(copies.size()));
        auto copied = StoreBackup::copy(store.path, target);
        ASSERT_TRUE(copied) << copied.error().message.toStdString() << copied.error().details.toStdString();
        copies.emplace_back(target, copied.value());
    } while (!writer.waitForFinished(0));
    ASSERT_EQ(writer.exitCode(), 0) << writer.readAllStandardError().toStdString();
    const QString last = store.folder.filePath(QStringLiteral("last.sqlite"));
    copies.emplace_back(last, StoreBackup::copy(store.path, last).value());

    EXPECT_GE(copies.size(), 3u);
    EXPECT_EQ(copies.back().second.entries, 1001);
    for (const auto& [path, contents] : copies) {
        EXPECT_FALSE(QFileInfo::exists(path + QStringLiteral("-wal"))) << "a backup stands alone";
        auto checked = StoreBackup::inspect(path, StoreBackup::Check::Integrity);
        ASSERT_TRUE(checked) << checked.error().message.toStdString();
        EXPECT_EQ(checked.value().entries, contents.entries);
        EXPECT_EQ(checked.value().revision, contents.revision);
        EXPECT_EQ(entriesIn(path), contents.entries);
    }
    EXPECT_THAT(QDir(store.folder.path()).entryList({QStringLiteral("*.partial*")}, QDir::Files), ::testing::IsEmpty());
}

TEST(StoreBackupTest, ACancelledCopyLeavesNothing)
{
    TemporaryFileStore store;
    addEntry(store.context(), 0, 1);
    ASSERT_TRUE(store.context().save());
    const std::atomic<bool> cancelled = true;
    EXPECT_FALSE(StoreBackup::copy(store.path, store.folder.filePath(QStringLiteral("copy.sqlite")), &cancelled));
    EXPECT_THAT(QDir(store.folder.path()).entryList({QStringLiteral("copy.sqlite*")}, QDir::Files), ::testing::IsEmpty());
}

// The window and another process hold the store open while it is restored: both show the
// backup's contents afterwards, and later saves go on from there.
TEST(StoreBackupTest, ARestoreReplacesTheContentsUnderOpenContexts)
{
    TemporaryFileStore store;
    for (int i = 0; i < 3; ++i)
        addEntry(store.context(), i * 86'400'000LL, 100 + i);
    ASSERT_TRUE(store.context().save());
    const QString backup = store.folder.filePath(QStringLiteral("backup.sqlite"));
    ASSERT_TRUE(StoreBackup::copy(store.path, backup));

    auto other = PersistentContainer::open(store.path).value();
    LiveBalances window(store.context());
    LiveBalances otherWindow(other->viewContext());
    auto entries = store.context().fetchBalanceEntries().value();
    entries[0]->setBalance(-1);
    store.context().remove(entries[1]);
    for (int i = 0; i < 4; ++i)
        addEntry(store.context(), (10 + i) * 86'400'000LL, 200 + i);
    ASSERT_TRUE(store.context().save());
    ASSERT_TRUE(otherWindow.waitForCount(6));

    auto restored = StoreBackup::restore(backup, store.path);
    ASSERT_TRUE(restored) << restored.error().message.toStdString();
    EXPECT_EQ(restored.value().entries, 3);
    const std::vector<double> original{100, 101, 102};
    for (LiveBalances* view : {&window, &otherWindow}) {
        EXPECT_TRUE(QTest::qWaitFor([&] { view->refetch(); return view->balances == original; }, 5000));
        EXPECT_EQ(view->balances, original);
    }

    addEntry(other->viewContext(), 20 * 86'400'000LL, 300);
    ASSERT_TRUE(other->viewContext().save());
    EXPECT_TRUE(window.waitForCount(4));
    EXPECT_EQ(window.balances, (std::vector<double>{100, 101, 102, 300}));
    EXPECT_EQ(StoreBackup::inspect(backup, StoreBackup::Check::Integrity).value().entries, 3) << "the backup is not written";
}

} // namespace
