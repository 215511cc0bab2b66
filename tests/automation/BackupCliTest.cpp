// `corvanta backup`, `backups` and `restore` through the real program: what they print, what
// restore refuses (the store left byte for byte), and backups killed at any moment.
#include "CorvantaProcess.h"

#include "model/store/StoreBackup.h"
#include "support/StoreSql.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <gmock/gmock.h>

#include <sys/stat.h>
#include <sys/sysmacros.h>

using ::testing::HasSubstr;
using ::testing::MatchesRegex;

namespace {

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class BackupCliTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* balance : {"100", "200"})
            ASSERT_EQ(corvanta_.run({"add", "--balance", balance, "--date", "2026-06-04"}).exitCode, 0);
    }
    QString backupsFolder() const { return corvanta_.scratch(QStringLiteral("data/Corvanta/Backups")); }
    QStringList backups() const { return QDir(backupsFolder()).entryList({QStringLiteral("Corvanta-*.sqlite")}, QDir::Files); }
    // A backup of the store as it is now, at `name` in the scratch home.
    QString backUp(const QString& name) const
    {
        const QString path = corvanta_.scratch(name);
        const ProcessRun run = corvanta_.run({QStringLiteral("backup"), path});
        EXPECT_EQ(run.exitCode, 0) << run.errors;
        return path;
    }

    CorvantaProcess corvanta_;
};

TEST_F(BackupCliTest, BackupListAndRestoreRoundTrip)
{
    const ProcessRun taken = corvanta_.run({"backup"});
    ASSERT_EQ(taken.exitCode, 0) << taken.errors;
    EXPECT_THAT(taken.output, MatchesRegex(".*/Backups/Corvanta-[0-9-]{17}\\.sqlite\n2 entries, 0 years\n"));
    const QString backup = QString::fromStdString(taken.output).section(QLatin1Char('\n'), 0, 0);

    ASSERT_EQ(corvanta_.run({"add", "--balance", "300", "--date", "2026-06-05"}).exitCode, 0);
    const QJsonArray listed = QJsonDocument::fromJson(QByteArray::fromStdString(corvanta_.run({"backups", "--json"}).output)).array();
    ASSERT_EQ(listed.size(), 1);
    EXPECT_EQ(listed[0][QStringLiteral("path")].toString(), backup);
    EXPECT_EQ(listed[0][QStringLiteral("entries")].toInt(), 2);
    EXPECT_EQ(listed[0][QStringLiteral("firstEntryDay")].toString(), QStringLiteral("2026-06-04"));
    EXPECT_EQ(listed[0][QStringLiteral("lastEntryDay")].toString(), QStringLiteral("2026-06-04"));

    const ProcessRun restored = corvanta_.run({QStringLiteral("restore"), backup});
    ASSERT_EQ(restored.exitCode, 0) << restored.errors;
    EXPECT_THAT(restored.output, HasSubstr("Restored " + backup.toStdString() + ": 2 entries, 0 years. The store as it was is kept in"));
    const std::string entries = corvanta_.run({"entries"}).output;
    EXPECT_EQ(std::count(entries.begin(), entries.end(), '\n'), 2);
    EXPECT_EQ(backups().size(), 2) << "the store as it was is a backup too";
    EXPECT_THAT(corvanta_.run({"backups"}).output, HasSubstr("3 entries, 0 years\t2026-06-04 – 2026-06-05\t"));

    CorvantaProcess single; // a count of one reads in the singular
    ASSERT_EQ(single.run({"add", "--balance", "5"}).exitCode, 0);
    EXPECT_THAT(single.run({"backup"}).output, HasSubstr("\n1 entry, 0 years\n"));
}

TEST_F(BackupCliTest, RestoreRefusesWhatItCannotTrustAndLeavesTheStoreByteIdentical)
{
    const QString good = backUp(QStringLiteral("good.sqlite"));
    const QByteArray goodBytes = bytesOf(good);
    const QString newer = corvanta_.writeScratch(QStringLiteral("newer.sqlite"), goodBytes);
    ASSERT_TRUE(execOnStore(newer, "PRAGMA user_version = 99"));
    struct Refusal {
        QString file;
        const char* reason;
    } const refusals[] = {
        {corvanta_.writeScratch(QStringLiteral("truncated.sqlite"), goodBytes.left(goodBytes.size() / 2)), "The file is truncated"},
        {newer, "The store was written by a newer version of Corvanta"},
        {corvanta_.writeScratch(QStringLiteral("notes.txt"), "Date,Balance\n2026-06-04,100\n"), "The file is not a SQLite database"},
        {corvanta_.writeScratch(QStringLiteral("empty.sqlite"), {}), "The file is not a SQLite database"},
        {corvanta_.scratch(QStringLiteral("missing.sqlite")), "The file does not exist"},
    };
    const QByteArray store = bytesOf(corvanta_.storePath());
    for (const Refusal& refusal : refusals) {
        const ProcessRun run = corvanta_.run({QStringLiteral("restore"), refusal.file});
        EXPECT_EQ(run.exitCode, 1) << refusal.reason;
        EXPECT_EQ(run.errors, QStringLiteral("corvanta restore: %1: %2\n").arg(refusal.file, QLatin1String(refusal.reason)).toStdString());
        EXPECT_EQ(bytesOf(corvanta_.storePath()), store) << refusal.reason;
        EXPECT_TRUE(backups().isEmpty()) << "nothing happens before the file is checked";
    }
}

// Backups are written to and read from regular files only: a folder, a named pipe or a device
// (a scratch node with /dev/null's numbers, as root) is refused by name and left as it was; a
// link to a file stays a link, and the file it leads to takes the backup.
TEST_F(BackupCliTest, BackupAndRestoreTouchRegularFilesOnly)
{
    const auto typeOf = [](const QString& path) {
        struct stat status {};
        return ::lstat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_mode & S_IFMT : 0;
    };
    const QString folder = corvanta_.scratch(QStringLiteral("folder"));
    const QString pipe = corvanta_.scratch(QStringLiteral("pipe"));
    const QString device = corvanta_.scratch(QStringLiteral("null"));
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    std::vector<std::pair<QString, const char*>> nodes{{folder, "a folder"}, {pipe, "a named pipe"}};
    if (::mknod(QFile::encodeName(device).constData(), S_IFCHR | 0666, makedev(1, 3)) == 0)
        nodes.emplace_back(device, "a device");
    for (const auto& [node, what] : nodes) {
        const auto type = typeOf(node);
        for (const QString& command : {QStringLiteral("backup"), QStringLiteral("restore")}) {
            const ProcessRun run = corvanta_.run({command, node});
            EXPECT_EQ(run.exitCode, 1) << what;
            EXPECT_EQ(run.errors, QStringLiteral("corvanta %1: %2: The path names %3, not a file\n").arg(command, node, QLatin1String(what)).toStdString());
            EXPECT_EQ(typeOf(node), type) << what;
        }
    }

    const QString file = backUp(QStringLiteral("file.sqlite"));
    const QString link = corvanta_.scratch(QStringLiteral("link.sqlite"));
    ASSERT_TRUE(QFile::link(file, link));
    ASSERT_EQ(corvanta_.run({"add", "--balance", "300"}).exitCode, 0);
    backUp(QStringLiteral("link.sqlite"));
    EXPECT_EQ(typeOf(link), S_IFLNK);
    EXPECT_EQ(StoreBackup::inspect(file, StoreBackup::Check::Contents).value().entries, 3);
}

// A million entries, written straight into the store's tables.
void fillMillion(const QString& store)
{
    ASSERT_TRUE(execOnStore(store,
                            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 1000000)"
                            " INSERT INTO BalanceEntry (pk, id, date, balance, adjustment, transfers, note)"
                            " SELECT i + 100, randomblob(16), 946684800000 + i * 3600000, 1000 + i, 0, 0,"
                            " CASE WHEN i % 10 = 0 THEN 'monthly deposit' END FROM n;"
                            "INSERT OR REPLACE INTO RowSequence (entity, last) VALUES ('BalanceEntry', 1000100)"));
}

TEST_F(BackupCliTest, KillingABackupAtAnyMomentLeavesNoPartialFileUnderItsName)
{
    fillMillion(corvanta_.storePath());
    QElapsedTimer clock;
    clock.start();
    ASSERT_EQ(StoreBackup::inspect(backUp(QStringLiteral("whole.sqlite")), StoreBackup::Check::Contents).value().entries, 1000002);
    const qint64 whole = clock.elapsed();

    int killedMidway = 0;
    for (int trial = 0; trial < 20; ++trial) {
        const QString target = corvanta_.scratch(QStringLiteral("kill-%1.sqlite").arg(trial));
        QProcess backup;
        backup.setProcessEnvironment(corvanta_.environment());
        backup.start(QStringLiteral(CORVANTA_BINARY), {QStringLiteral("backup"), target});
        ASSERT_TRUE(backup.waitForStarted());
        QThread::msleep(QRandomGenerator::global()->bounded(whole + 50));
        backup.kill();
        backup.waitForFinished();
        if (!QFileInfo::exists(target)) {
            killedMidway += !QDir(corvanta_.scratch({})).entryList({QFileInfo(target).fileName() + QStringLiteral(".*.partial")}, QDir::Files).isEmpty();
            continue;
        }
        auto copied = StoreBackup::inspect(target, StoreBackup::Check::Integrity);
        ASSERT_TRUE(copied) << trial << ": " << copied.error().message.toStdString();
        EXPECT_EQ(copied.value().entries, 1000002);
    }
    std::printf("[ backups killed while writing: %d of 20; a whole backup took %lld ms ]\n", killedMidway, static_cast<long long>(whole));
}

} // namespace
