#include "model/store/SqliteDatabase.h"

#include "model/StoreWords.h"
#include "model/store/SqliteStatement.h"

#include <QLoggingCategory>

#include <sqlite3.h>

namespace {
// Result codes, SQLite's own texts and the statements that failed: for whoever diagnoses a
// failure, never for the person in front of an alert or a terminal (who gets the words).
// Off unless asked for: QT_LOGGING_RULES="corvanta.store.sqlite.info=true".
Q_LOGGING_CATEGORY(sqliteLog, "corvanta.store.sqlite", QtWarningMsg)

// A failure's cause in words a person can act on. A trigger's RAISE text is already words.
QString reasonInWords(int extendedCode, const char* sqliteMessage)
{
    if (extendedCode == SQLITE_CONSTRAINT_TRIGGER)
        return QString::fromUtf8(sqliteMessage);
    switch (extendedCode & 0xff) {
    case SQLITE_FULL: return StoreWords::tr("the disk is full");
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
    case SQLITE_PROTOCOL: return StoreWords::tr("another program is using the store");
    case SQLITE_READONLY: return StoreWords::tr("the store can only be read");
    case SQLITE_IOERR: return StoreWords::tr("the disk could not be read or written");
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB: return StoreWords::tr("the store file is damaged");
    case SQLITE_CANTOPEN: return StoreWords::tr("the store file could not be opened");
    case SQLITE_PERM:
    case SQLITE_AUTH: return StoreWords::tr("permission denied");
    case SQLITE_NOMEM: return StoreWords::tr("the computer is out of memory");
    case SQLITE_TOOBIG: return StoreWords::tr("a value is too large to store");
    case SQLITE_CONSTRAINT: return StoreWords::tr("a value does not fit the store's rules");
    case SQLITE_ERROR: return StoreWords::tr("the store's tables are not as expected");
    default: return StoreWords::tr("the store could not carry out the request");
    }
}

Error failure(QString message, int extendedCode, const char* sqliteMessage, const QString& where, const QString& readOnlyBecause = {})
{
    qCInfo(sqliteLog, "%s failed: %s (code %d)", qUtf8Printable(where), sqliteMessage, extendedCode);
    const bool refusedAsReadOnly = (extendedCode & 0xff) == SQLITE_READONLY && !readOnlyBecause.isEmpty();
    const QString reason = refusedAsReadOnly ? readOnlyBecause : reasonInWords(extendedCode, sqliteMessage);
    if (message.isEmpty())
        message = reason;
    return Error{message, {}, reason};
}

// Writers wait this long for one another (another context, or the command line) before a save
// reports the store as busy.
constexpr int busyTimeoutMilliseconds = 10000;

// Before SQLite's first use in the process: no memory statistics, which would otherwise take
// a global lock on every allocation (several per inserted row). Refused harmlessly when
// SQLite is already in use.
void configureLibraryOnce()
{
    static const bool configured = [] {
        sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
        return true;
    }();
    (void)configured;
}
} // namespace

Result<std::unique_ptr<SqliteDatabase>> SqliteDatabase::open(const QString& location, Mode mode)
{
    configureLibraryOnce();
    int flags = SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX;
    switch (mode) {
    case Mode::ReadOnly: flags |= SQLITE_OPEN_READONLY; break;
    case Mode::ReadWrite: flags |= SQLITE_OPEN_READWRITE; break;
    case Mode::ReadWriteCreate: flags |= SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE; break;
    }
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(location.toUtf8().constData(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const int code = db ? sqlite3_extended_errcode(db) : rc;
        Error error = failure(StoreWords::tr("The store could not be opened"), code, db ? sqlite3_errmsg(db) : sqlite3_errstr(rc),
                              QStringLiteral("Opening ") + location);
        error.details = QStringLiteral("{path: %1, reason: %2}").arg(location, error.reason);
        sqlite3_close(db);
        return error;
    }
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, busyTimeoutMilliseconds);
    return std::unique_ptr<SqliteDatabase>(new SqliteDatabase(db));
}

SqliteDatabase::~SqliteDatabase()
{
    // Every statement is finalized by its owner before the connection goes; close_v2 would
    // otherwise keep a zombie connection until they are.
    sqlite3_close_v2(db_);
}

Result<void> SqliteDatabase::execute(const char* sql)
{
    if (sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        return lastError(sql);
    return {};
}

Result<long long> SqliteDatabase::queryInteger(const char* sql)
{
    auto statement = SqliteStatement::prepare(*this, sql);
    if (!statement)
        return statement.error();
    auto row = statement.value().step();
    if (!row)
        return row.error();
    if (!row.value())
        return failure(StoreWords::tr("The store returned no value"), SQLITE_ERROR, "no row", QString::fromUtf8(sql));
    return statement.value().columnInt64(0);
}

void SqliteDatabase::deferCheckpoints(std::function<void(int logPages)> committed)
{
    committed_ = std::move(committed);
    // Replaces the automatic checkpoint's own hook. Called inside COMMIT: it must not use
    // the connection.
    sqlite3_wal_hook(
        db_,
        [](void* self, sqlite3*, const char*, int pages) {
            static_cast<SqliteDatabase*>(self)->committed_(pages);
            return SQLITE_OK;
        },
        this);
}

Result<void> SqliteDatabase::checkpoint()
{
    const int status = sqlite3_wal_checkpoint_v2(db_, nullptr, SQLITE_CHECKPOINT_PASSIVE, nullptr, nullptr);
    // Busy means another connection is checkpointing right now: the log is being copied
    // already, which is all a passive checkpoint asks for.
    if (status != SQLITE_OK && status != SQLITE_BUSY)
        return lastError("PRAGMA wal_checkpoint(PASSIVE)");
    return {};
}

QString SqliteDatabase::fileName() const
{
    const char* name = sqlite3_db_filename(db_, "main");
    return name ? QString::fromUtf8(name) : QString();
}

long long SqliteDatabase::lastInsertRowId() const { return sqlite3_last_insert_rowid(db_); }

int SqliteDatabase::changes() const { return sqlite3_changes(db_); }

Error SqliteDatabase::lastError(const char* statement) const
{
    return failure({}, sqlite3_extended_errcode(db_), sqlite3_errmsg(db_), QString::fromUtf8(statement), readOnlyBecause_);
}
