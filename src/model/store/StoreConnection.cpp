#include "model/store/StoreConnection.h"

#include "model/StoreWords.h"
#include "model/store/StoreSchema.h"

#include <QAtomicInteger>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <sys/statvfs.h>
#include <unistd.h>

#include <cstdint>

namespace {
// What preparing a store for writing may need on its disk: the -shm and -wal files of the
// write-ahead log, and the first pages written into the log.
constexpr std::uint64_t roomToPrepareStore = 1 << 20;

bool hasLog(const QString& path) { return QFileInfo::exists(path + QStringLiteral("-wal")); }

// Without a log beside it the file is the whole store: read it as immutable, which creates
// no -wal or -shm file. With a log, an ordinary read-only connection.
Result<std::unique_ptr<SqliteDatabase>> openAsFound(const QString& path)
{
    const QString location = hasLog(path) ? path
                                          : QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded)
                                                + QStringLiteral("?immutable=1");
    return SqliteDatabase::open(location, SqliteDatabase::Mode::ReadOnly);
}

QString describeFile(const QString& path, const QString& reason)
{
    return QStringLiteral("{path: %1, reason: %2}").arg(path, reason);
}

Result<void> inspectExistingFile(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return Error{StoreWords::tr("The store is not a file"), describeFile(path, QStringLiteral("not a regular file"))};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Error{StoreWords::tr("The store file could not be read"), describeFile(path, file.errorString())};
    const QByteArray header = file.read(16);
    file.close();
    if (header.isEmpty())
        return {}; // an empty file is an empty database
    if (header != QByteArray("SQLite format 3\0", 16))
        return Error{StoreWords::tr("The store file is not a database"), describeFile(path, QStringLiteral("unknown file header"))};
    if (!info.isWritable())
        return Error{StoreWords::tr("The store file is read-only"), describeFile(path, QStringLiteral("no write permission"))};
    // A store refused here is left exactly as it was found.
    auto readOnly = openAsFound(path);
    if (!readOnly)
        return readOnly.error();
    return StoreSchema::inspect(*readOnly.value(), path);
}

Result<std::unique_ptr<SqliteDatabase>> openToRead(const StoreLocation& location)
{
    auto database = openAsFound(location.connectionName);
    if (!database)
        return database;
    database.value()->setReadOnlyBecause(location.readOnlyBecause);
    if (auto mapped = database.value()->execute("PRAGMA mmap_size = 1073741824"); !mapped)
        return mapped.error();
    return database;
}

Result<void> configure(SqliteDatabase& database, const StoreLocation& location)
{
    if (!location.inMemory) {
        // WAL: readers never block the writer, and another process (the command line) can
        // write while the window reads. FULL: a commit survives a power cut.
        if (auto wal = database.execute("PRAGMA journal_mode = WAL"); !wal)
            return wal;
        // After a big save the log file is cut back to this size once copied in.
        if (auto limit = database.execute("PRAGMA journal_size_limit = 8388608"); !limit)
            return limit;
    }
    if (auto durable = database.execute("PRAGMA synchronous = FULL"); !durable)
        return durable;
    // Reads straight from the mapped file instead of a read() and a copy per page: loading
    // every entry reads the whole file. Writes still go through the write-ahead log.
    return database.execute("PRAGMA mmap_size = 1073741824");
}
} // namespace

StoreLocation StoreLocation::freshMemory()
{
    static QAtomicInteger<int> counter;
    // memdb databases whose name starts with "/" are shared by every connection of the process.
    return {QStringLiteral("file:/corvanta-memory-%1-%2?vfs=memdb")
                .arg(QCoreApplication::applicationPid())
                .arg(counter.fetchAndAddRelaxed(1)),
            true};
}

namespace StoreConnection {

QString readOnlyReason(const QString& path)
{
    if (!QFileInfo::exists(path) || hasLog(path))
        return {};
    struct statvfs disk {};
    if (::statvfs(QFile::encodeName(QFileInfo(path).absolutePath()).constData(), &disk) != 0)
        return {};
    const std::uint64_t freeBlocks = ::geteuid() == 0 ? disk.f_bfree : disk.f_bavail; // root may use the reserve
    if (freeBlocks * disk.f_frsize >= roomToPrepareStore)
        return {};
    return StoreWords::tr("the disk is full");
}

Result<std::unique_ptr<SqliteDatabase>> openForReading(const QString& path)
{
    const QString reason = readOnlyReason(path);
    if (reason.isEmpty())
        return SqliteDatabase::open(path, SqliteDatabase::Mode::ReadOnly);
    return openToRead(StoreLocation{path, false, reason});
}

Result<std::unique_ptr<SqliteDatabase>> openStore(const StoreLocation& location)
{
    if (!location.readOnlyBecause.isEmpty()) {
        if (auto inspected = inspectExistingFile(location.connectionName); !inspected)
            return inspected.error();
        return openToRead(location);
    }
    if (!location.inMemory) {
        const QString& path = location.connectionName;
        if (QFileInfo::exists(path)) {
            if (auto inspected = inspectExistingFile(path); !inspected)
                return inspected.error();
        } else if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
            return Error{StoreWords::tr("The store's folder could not be created"),
                         describeFile(path, QStringLiteral("mkdir failed"))};
        }
    }
    auto database = SqliteDatabase::open(location.connectionName, SqliteDatabase::Mode::ReadWriteCreate);
    if (!database)
        return database.error();
    auto prepared = configure(*database.value(), location);
    if (prepared)
        prepared = StoreSchema::migrate(*database.value());
    if (!prepared)
        return Error{StoreWords::tr("The store could not be prepared for use"), describeFile(location.connectionName, prepared.error().message),
                     prepared.error().reason};
    return database;
}

Result<std::unique_ptr<SqliteDatabase>> connect(const StoreLocation& location)
{
    if (!location.readOnlyBecause.isEmpty())
        return openToRead(location);
    auto database = SqliteDatabase::open(location.connectionName, SqliteDatabase::Mode::ReadWrite);
    if (!database)
        return database.error();
    if (auto configured = configure(*database.value(), location); !configured)
        return configured.error();
    return database;
}

} // namespace StoreConnection
