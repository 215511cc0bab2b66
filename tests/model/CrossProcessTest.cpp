#include "StoreTestSupport.h"
#include "support/StoreSql.h"

#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>

#include <csignal>

namespace {

// Starts the writer process and waits until it is about to save.
void startWriter(QProcess& writer, const QString& path, int count)
{
    writer.start(QStringLiteral(STORE_PROBE), {path, QString::number(count)});
    ASSERT_TRUE(writer.waitForStarted());
    while (!writer.canReadLine())
        ASSERT_TRUE(writer.waitForReadyRead(30000)) << "the writer never got to its save";
    ASSERT_EQ(writer.readLine().trimmed(), QByteArray("saving"));
}

std::int64_t countRows(const QString& path) { return std::stoll(queryStore(path, "SELECT count(*) FROM BalanceEntry")); }

// Writers that exit right after their save, while the window keeps the store open (so no
// close copies the log back): their entries reach the window's live result through the store's
// change notice alone (nothing here fetches), and each writer copies a large log back itself,
// so the log stays bounded.
TEST(CrossProcess, ShortLivedWritersReachTheOpenStoreAndKeepTheLogBounded)
{
    TemporaryFileStore store;
    LiveBalances live(store.context());
    for (int run = 0; run < 5; ++run) {
        QProcess writer;
        startWriter(writer, store.path, 60'000); // about 1,000 pages of log each
        ASSERT_TRUE(writer.waitForFinished(30000) && writer.exitCode() == 0);
    }
    EXPECT_LT(QFileInfo(store.path + QStringLiteral("-wal")).size(), 12 * 1024 * 1024);
    EXPECT_EQ(countRows(store.path), 300'000);
    EXPECT_TRUE(live.waitForCount(300'000));
}

// A writer killed at some moment of its save leaves a store that opens and holds all of its
// entries or none of them.
TEST(CrossProcess, AKilledSaveLeavesAllOrNothing)
{
    constexpr int base = 10;
    constexpr int written = 100'000;
    int killedWhileSaving = 0;
    for (int delayMilliseconds : {0, 40, 120, 300}) {
        TemporaryFileStore store;
        const QString& path = store.path;
        for (int i = 0; i < base; ++i)
            addEntry(store.context(), i, i);
        ASSERT_TRUE(store.context().save().ok());
        store.container.reset();
        QProcess writer;
        startWriter(writer, path, written);
        QThread::msleep(static_cast<unsigned long>(delayMilliseconds));
        ::kill(static_cast<pid_t>(writer.processId()), SIGKILL);
        ASSERT_TRUE(writer.waitForFinished(30000));
        if (!writer.readAll().contains("saved"))
            ++killedWhileSaving;

        auto reopened = PersistentContainer::open(path);
        ASSERT_TRUE(reopened.ok()) << reopened.error().message.toStdString();
        const std::int64_t count = reopened.value()->viewContext().countBalanceEntries().value();
        EXPECT_TRUE(count == base || count == base + written) << "after " << delayMilliseconds << " ms: " << count;
        EXPECT_EQ(countRows(path), count);
    }
    EXPECT_GT(killedWhileSaving, 0) << "no kill landed inside a save";
}

} // namespace
