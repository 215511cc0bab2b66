#include "model/store/StoreBackup.h"

#include "model/store/SqliteDatabase.h"
#include "model/store/SqliteStatement.h"
#include "model/store/StoreConnection.h"
#include "model/store/StoreSchema.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <sqlite3.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// Pages copied per backup step, between two looks at the cancel flag (4 MB at 4 KB a page).
constexpr int pagesPerStep = 1024;
// The change log's first entry after a restore lies this far past the store's last one, so
// that every reader finds the log cut off behind what it read, and re-reads its tables, even
// when other writers committed between reading the store's last entry and the restore.
constexpr long long restoredLogGap = 1LL << 32;

const QByteArray sqliteHeader("SQLite format 3\0", 16);

Error fileError(const QString& path, const QString& message, const QString& reason = {})
{
    return Error{message, QStringLiteral("{path: %1%2}").arg(path, reason.isEmpty() ? QString() : QStringLiteral(", reason: ") + reason)};
}

// A deferred read transaction: its snapshot starts with the first read and lasts until the
// end of the scope, so that everything read in it belongs to one commit.
class ReadTransaction {
public:
    explicit ReadTransaction(SqliteDatabase& database) : database_(database) { begun_ = database_.execute("BEGIN").ok(); }
    ~ReadTransaction()
    {
        if (begun_)
            (void)database_.execute("COMMIT");
    }
    ReadTransaction(const ReadTransaction&) = delete;
    ReadTransaction& operator=(const ReadTransaction&) = delete;
    bool begun() const { return begun_; }

private:
    SqliteDatabase& database_;
    bool begun_ = false;
};

// A file that only has to be read: as immutable when no log lies beside it, so that nothing
// (no -wal or -shm file) is created next to a backup or a file offered as one.
Result<std::unique_ptr<SqliteDatabase>> openForReading(const QString& path)
{
    if (QFileInfo::exists(path + QStringLiteral("-wal")))
        return SqliteDatabase::open(path, SqliteDatabase::Mode::ReadOnly);
    const QString uri = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded) + QStringLiteral("?immutable=1");
    return SqliteDatabase::open(uri, SqliteDatabase::Mode::ReadOnly);
}

Result<QString> readRevision(SqliteDatabase& database)
{
    auto statement = SqliteStatement::prepare(database,
                                              "SELECT coalesce((SELECT group_concat(entity || '=' || last) FROM RowSequence), '')"
                                              " || ';' || coalesce((SELECT max(pk) FROM BalanceEntry), 0)"
                                              " || ';' || coalesce((SELECT max(pk) FROM TSXYear), 0)"
                                              " || ';' || coalesce((SELECT max(seq) FROM ChangeLog), 0)");
    if (!statement)
        return statement.error();
    auto row = statement.value().step();
    if (!row)
        return row.error();
    return statement.value().columnOptionalText(0).value_or(QString());
}

Result<StoreContents> readContents(SqliteDatabase& database)
{
    StoreContents contents;
    auto version = database.queryInteger("PRAGMA user_version");
    if (!version)
        return version.error();
    contents.schemaVersion = version.value();
    auto statement = SqliteStatement::prepare(database,
                                              "SELECT (SELECT count(*) FROM BalanceEntry), (SELECT count(*) FROM TSXYear),"
                                              " (SELECT min(date) FROM BalanceEntry), (SELECT max(date) FROM BalanceEntry)");
    if (!statement)
        return statement.error();
    auto row = statement.value().step();
    if (!row)
        return row.error();
    contents.entries = statement.value().columnInt64(0);
    contents.years = statement.value().columnInt64(1);
    contents.firstEntryDate = statement.value().columnOptionalInt64(2);
    contents.lastEntryDate = statement.value().columnOptionalInt64(3);
    if (contents.schemaVersion >= 2) {
        auto revision = readRevision(database);
        if (!revision)
            return revision.error();
        contents.revision = revision.value();
    }
    return contents;
}

// Contents of one snapshot (the caller's read transaction, or one of its own).
Result<StoreContents> readContentsInTransaction(SqliteDatabase& database)
{
    ReadTransaction transaction(database);
    if (!transaction.begun())
        return database.lastError("BEGIN");
    return readContents(database);
}

Result<void> checkIntegrity(SqliteDatabase& database, const QString& path)
{
    auto statement = SqliteStatement::prepare(database, "PRAGMA integrity_check(1)");
    if (!statement)
        return fileError(path, QStringLiteral("The file is damaged"), statement.error().message);
    auto row = statement.value().step();
    if (!row)
        return fileError(path, QStringLiteral("The file is damaged"), row.error().message);
    const QString verdict = statement.value().columnOptionalText(0).value_or(QString());
    if (verdict != QLatin1String("ok"))
        return fileError(path, QStringLiteral("The file is damaged"), verdict);
    return {};
}

// What a node that is not a regular file is (links followed), in words; nothing for a regular
// file and for nothing at all. A backup is a database that is checked after it is written, so
// it is read from and written to regular files only: never through a device or a named pipe
// (whose reader would wait for a writer), never over a folder.
std::optional<QString> notARegularFile(const QString& path)
{
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0 || S_ISREG(status.st_mode))
        return std::nullopt;
    if (S_ISDIR(status.st_mode))
        return QStringLiteral("a folder");
    if (S_ISFIFO(status.st_mode))
        return QStringLiteral("a named pipe");
    if (S_ISSOCK(status.st_mode))
        return QStringLiteral("a socket");
    if (S_ISCHR(status.st_mode) || S_ISBLK(status.st_mode))
        return QStringLiteral("a device");
    return QStringLiteral("something else");
}

Error notAFileError(const QString& path, const QString& what)
{
    return fileError(path, QStringLiteral("The path names %1, not a file").arg(what));
}

// What the first 100 bytes say: SQLite's, and not shorter than its own header claims.
Result<void> checkHeader(const QString& path)
{
    QFile file(path);
    if (const auto what = notARegularFile(path))
        return notAFileError(path, *what);
    if (!QFileInfo(path).isFile())
        return fileError(path, QStringLiteral("The file does not exist"));
    if (!file.open(QIODevice::ReadOnly))
        return fileError(path, QStringLiteral("The file could not be read"), file.errorString());
    const QByteArray header = file.read(100);
    if (header.size() < 100 || !header.startsWith(sqliteHeader))
        return fileError(path, QStringLiteral("The file is not a SQLite database"));
    const auto byteAt = [&](int index) { return static_cast<unsigned char>(header[index]); };
    const long long pageSize = byteAt(16) << 8 | byteAt(17);
    const long long pages = static_cast<long long>(byteAt(28)) << 24 | byteAt(29) << 16 | byteAt(30) << 8 | byteAt(31);
    const long long bytes = (pageSize == 1 ? 65536 : pageSize) * pages;
    // The page count is valid only while the change counter matches its copy (bytes 24, 92).
    const bool pagesValid = header.mid(24, 4) == header.mid(92, 4);
    if (pagesValid && file.size() < bytes)
        return fileError(path, QStringLiteral("The file is truncated"),
                         QStringLiteral("%1 of %2 bytes").arg(file.size()).arg(bytes));
    return {};
}

// Copies every page of `from` into `to` (which takes `from`'s page size), in steps when a
// cancel flag is given, else at once. `from` keeps the snapshot of its open read transaction.
Result<void> copyPages(SqliteDatabase& from, SqliteDatabase& to, const std::atomic<bool>* cancelled)
{
    sqlite3_backup* backup = sqlite3_backup_init(to.handle(), "main", from.handle(), "main");
    if (!backup)
        return to.lastError("sqlite3_backup_init");
    int status = SQLITE_OK;
    while (status == SQLITE_OK || status == SQLITE_BUSY || status == SQLITE_LOCKED) {
        if (cancelled && cancelled->load()) {
            sqlite3_backup_finish(backup);
            return Error{QStringLiteral("The backup was cancelled"), {}};
        }
        if (status != SQLITE_OK)
            sqlite3_sleep(10);
        status = sqlite3_backup_step(backup, cancelled ? pagesPerStep : -1);
    }
    // A failed step leaves its error on the destination connection once the backup is finished.
    sqlite3_backup_finish(backup);
    if (status != SQLITE_DONE)
        return to.lastError("sqlite3_backup_step");
    return {};
}

// fsync of a file or a folder (for a folder: the names in it, such as a rename).
Result<void> syncToDisk(const QString& path)
{
    const int descriptor = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0 || ::fsync(descriptor) != 0) {
        const QString reason = QString::fromLocal8Bit(std::strerror(errno));
        if (descriptor >= 0)
            ::close(descriptor);
        return fileError(path, QStringLiteral("The backup could not be written to disk"), reason);
    }
    ::close(descriptor);
    return {};
}

void removeWithCompanions(const QString& path)
{
    for (const char* suffix : {"", "-journal", "-wal", "-shm"})
        QFile::remove(path + QLatin1String(suffix));
}

bool sameCounts(const StoreContents& a, const StoreContents& b)
{
    return a.schemaVersion == b.schemaVersion && a.entries == b.entries && a.years == b.years && a.revision == b.revision;
}

// Writes the snapshot of `source`'s open read transaction to the new file `temporary`,
// leaves it a plain file (no write-ahead log) and checks it against `expected`.
Result<StoreContents> writeCheckedCopy(SqliteDatabase& source, const QString& temporary, const StoreContents& expected,
                                       const std::atomic<bool>* cancelled)
{
    {
        auto target = SqliteDatabase::open(temporary, SqliteDatabase::Mode::ReadWriteCreate);
        if (!target)
            return target.error();
        // A half-written temporary file is thrown away, never repaired: no journal, no syncs
        // until the whole copy is there.
        if (auto fast = target.value()->execute("PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF"); !fast)
            return fast.error();
        if (auto copied = copyPages(source, *target.value(), cancelled); !copied)
            return copied.error();
        // The pages say "write-ahead log" as the store's do; a backup stands alone.
        if (auto plain = target.value()->execute("PRAGMA journal_mode = DELETE"); !plain)
            return plain.error();
    }
    auto written = openForReading(temporary);
    if (!written)
        return written.error();
    if (auto sound = checkIntegrity(*written.value(), temporary); !sound)
        return sound.error();
    auto contents = readContentsInTransaction(*written.value());
    if (!contents)
        return contents.error();
    if (!sameCounts(contents.value(), expected))
        return fileError(temporary, QStringLiteral("The backup does not match the store"),
                         QStringLiteral("%1 entries and %2 years copied, %3 and %4 expected")
                             .arg(contents.value().entries)
                             .arg(contents.value().years)
                             .arg(expected.entries)
                             .arg(expected.years));
    return contents;
}

// Readers of the store must notice that its contents were replaced wholesale: the change log
// restarts far past its end in the store, and row keys continue past both.
Result<void> markAsReplacement(SqliteDatabase& staging, SqliteDatabase& store)
{
    auto logEnd = store.queryInteger("SELECT coalesce(max(seq), 0) FROM ChangeLog");
    if (!logEnd)
        return logEnd.error();
    const QByteArray restart = QByteArrayLiteral("DELETE FROM ChangeLog; INSERT INTO ChangeLog (seq, entity, pk) VALUES (")
        + QByteArray::number(logEnd.value() + restoredLogGap) + QByteArrayLiteral(", -1, 0);");
    if (auto restarted = staging.execute(restart.constData()); !restarted)
        return restarted;
    for (const char* entity : {"BalanceEntry", "TSXYear"}) {
        const QByteArray last = QByteArrayLiteral("SELECT max(coalesce((SELECT last FROM RowSequence WHERE entity = '") + entity
            + QByteArrayLiteral("'), 0), coalesce((SELECT max(pk) FROM ") + entity + QByteArrayLiteral("), 0))");
        auto inStore = store.queryInteger(last.constData());
        auto inBackup = staging.queryInteger(last.constData());
        if (!inStore || !inBackup)
            return !inStore ? inStore.error() : inBackup.error();
        const QByteArray next = QByteArrayLiteral("INSERT OR REPLACE INTO RowSequence (entity, last) VALUES ('") + entity
            + QByteArrayLiteral("', ") + QByteArray::number(std::max(inStore.value(), inBackup.value()) + 1) + ')';
        if (auto set = staging.execute(next.constData()); !set)
            return set;
    }
    return {};
}
} // namespace

namespace StoreBackup {

Result<StoreContents> copy(const QString& storePath, const QString& linkOrTarget, const std::atomic<bool>* cancelled)
{
    if (!QFileInfo(storePath).isFile())
        return fileError(storePath, QStringLiteral("There is no store to back up"));
    if (const auto what = notARegularFile(linkOrTarget))
        return notAFileError(linkOrTarget, *what);
    // A link is kept: the file it leads to is replaced.
    const QFileInfo given(linkOrTarget);
    const QString targetPath = !given.isSymLink() ? linkOrTarget : given.exists() ? given.canonicalFilePath() : given.symLinkTarget();
    auto source = StoreConnection::connect(StoreLocation::file(storePath));
    if (!source)
        return source.error();
    ReadTransaction snapshot(*source.value());
    if (!snapshot.begun())
        return source.value()->lastError("BEGIN");
    auto expected = readContents(*source.value()); // starts the snapshot
    if (!expected)
        return expected.error();

    const QString temporary = QStringLiteral("%1.%2.partial").arg(targetPath).arg(QCoreApplication::applicationPid());
    removeWithCompanions(temporary);
    auto copied = writeCheckedCopy(*source.value(), temporary, expected.value(), cancelled);
    Result<void> placed = copied ? syncToDisk(temporary) : Result<void>(copied.error());
    if (placed && std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(targetPath).constData()) != 0)
        placed = fileError(targetPath, QStringLiteral("The backup could not be put in place"), QString::fromLocal8Bit(std::strerror(errno)));
    if (!placed) {
        removeWithCompanions(temporary);
        return placed.error();
    }
    if (auto named = syncToDisk(QFileInfo(targetPath).absolutePath()); !named)
        return named.error();
    return copied;
}

Result<StoreContents> inspect(const QString& path, Check check)
{
    if (auto header = checkHeader(path); !header)
        return header.error();
    auto database = openForReading(path);
    if (!database)
        return fileError(path, QStringLiteral("The file could not be opened"), database.error().message);
    if (auto schema = StoreSchema::inspect(*database.value(), path); !schema)
        return schema.error();
    if (check == Check::Integrity) {
        if (auto sound = checkIntegrity(*database.value(), path); !sound)
            return sound.error();
    }
    auto contents = readContentsInTransaction(*database.value());
    if (!contents)
        return fileError(path, QStringLiteral("The file could not be read"), contents.error().message);
    if (contents.value().schemaVersion == 0)
        return fileError(path, QStringLiteral("The file holds no Corvanta store"));
    return contents;
}

Result<QString> revision(const QString& path)
{
    auto database = SqliteDatabase::open(path, SqliteDatabase::Mode::ReadOnly);
    if (!database)
        return database.error();
    ReadTransaction transaction(*database.value());
    return readRevision(*database.value());
}

Result<StoreContents> restore(const QString& backupPath, const QString& storePath)
{
    if (auto checked = inspect(backupPath, Check::Integrity); !checked)
        return checked.error();
    // The backup is copied into memory and prepared there: migrated, and marked for readers.
    auto staging = SqliteDatabase::open(StoreLocation::freshMemory().connectionName, SqliteDatabase::Mode::ReadWriteCreate);
    if (!staging)
        return staging.error();
    {
        auto backup = openForReading(backupPath);
        if (!backup)
            return backup.error();
        if (auto copied = copyPages(*backup.value(), *staging.value(), nullptr); !copied)
            return copied.error();
    }
    if (auto migrated = StoreSchema::migrate(*staging.value()); !migrated)
        return migrated.error();
    auto store = StoreConnection::openStore(StoreLocation::file(storePath)); // created when missing
    if (!store)
        return store.error();
    if (auto marked = markAsReplacement(*staging.value(), *store.value()); !marked)
        return marked.error();
    // One write transaction of the store: all pages or none.
    if (auto replaced = copyPages(*staging.value(), *store.value(), nullptr); !replaced)
        return replaced.error();
    (void)store.value()->checkpoint();
    return readContentsInTransaction(*store.value());
}

} // namespace StoreBackup
