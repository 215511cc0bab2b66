// The store as other processes meet it: the application opening it (and stopping where it
// cannot), writers in processes of their own, and writers killed in the middle of a save.
#include "StoreTestSupport.h"
#include "support/StoreSql.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gmock/gmock.h>

#include <csignal>
#include <functional>

#include <unistd.h>

using ::testing::StartsWith;

namespace {

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The store of a data home of its own, where the application keeps it.
class OpenFailureTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(QDir().mkpath(home.filePath(QStringLiteral("Corvanta")))); }

    struct ProbeRun {
        int exitCode = -1;
        QString output;
        QString errors;
    };
    // Runs the application's store-opening path in a child process inside the data home.
    ProbeRun runProbe()
    {
        QProcess probe;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_DATA_HOME"), home.path());
        probe.setProcessEnvironment(environment);
        probe.start(QStringLiteral(STORE_PROBE), {});
        probe.waitForFinished(30000);
        return {probe.exitStatus() == QProcess::NormalExit ? probe.exitCode() : -1,
                QString::fromUtf8(probe.readAllStandardOutput()), QString::fromUtf8(probe.readAllStandardError())};
    }
    void writeStoreBytes(const QByteArray& bytes)
    {
        QFile file(storePath);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QTemporaryDir home;
    const QString storePath = home.filePath(QStringLiteral("Corvanta/Corvanta.sqlite"));
};

// A missing store is created, and so is one in place of an empty file.
TEST_F(OpenFailureTest, AMissingOrEmptyStoreIsCreated)
{
    for (const bool emptyFile : {false, true}) {
        if (emptyFile)
            writeStoreBytes({});
        const ProbeRun run = runProbe();
        EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();
        EXPECT_EQ(run.output.trimmed(), QStringLiteral("opened 0"));
        // Closed at exit: the store file alone holds the tables, no log is left beside it.
        EXPECT_FALSE(QFileInfo::exists(storePath + QStringLiteral("-wal")));
        EXPECT_EQ(queryStore(storePath, "SELECT count(*) FROM sqlite_master WHERE name = 'BalanceEntry'"), "1");
    }
}

// Permissions do not stop root, so that case only runs for other users.
TEST_F(OpenFailureTest, AnUnusableStoreIsFatalAndLeftUntouched)
{
    QByteArray damaged("SQLite format 3", 16);
    for (int i = 0; i < 8192; ++i)
        damaged.append(static_cast<char>((i * 7919) % 251));
    const std::pair<std::function<void()>, const char*> cases[] = {
        {[&] { writeStoreBytes(QByteArray("Date,Balance\n2024-01-01,100\n").repeated(200)); }, "The store file is not a database"},
        {[&] { writeStoreBytes(damaged); }, "The store file could not be read"},
        {[&] {
             ASSERT_TRUE(execOnStore(storePath, "PRAGMA journal_mode = WAL; PRAGMA application_id = 1129469524;"
                                                " PRAGMA user_version = 99; CREATE TABLE Future(x);"));
         },
         "The store was written by a newer version of Corvanta"},
        {[&] { ASSERT_TRUE(execOnStore(storePath, "CREATE TABLE Contacts(name); INSERT INTO Contacts VALUES ('someone');")); },
         "The store file does not hold the Corvanta object model"},
        {[&] {
             ASSERT_TRUE(execOnStore(storePath, "CREATE TABLE Contacts(name)"));
             QFile::setPermissions(storePath, QFileDevice::Permissions());
         },
         geteuid() == 0 ? nullptr : "The store file could not be read"},
        {[&] { ASSERT_TRUE(QDir().mkpath(storePath)); }, "The store is not a file"},
    };
    for (const auto& [make, error] : cases) {
        if (!error)
            continue;
        SCOPED_TRACE(error);
        QFile::remove(storePath);
        make();
        // The probe stops with the fatal message and leaves the file exactly as it was.
        const QByteArray before = bytesOf(storePath);
        const ProbeRun run = runProbe();
        EXPECT_NE(run.exitCode, 0);
        EXPECT_THAT(run.errors.toStdString(), StartsWith(std::string("Unresolved Core Data error ") + error + ", {"));
        EXPECT_EQ(run.errors.count(QLatin1Char('\n')), 1) << run.errors.toStdString();
        EXPECT_EQ(bytesOf(storePath), before);
        EXPECT_TRUE(QFileInfo::exists(storePath));
        for (const char* beside : {"-wal", "-shm", "-journal"})
            EXPECT_FALSE(QFileInfo::exists(storePath + QLatin1String(beside))) << beside;
    }
    EXPECT_TRUE(QFileInfo(storePath).isDir()); // the last case's folder is left as it was
}

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
