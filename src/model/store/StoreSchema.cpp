#include "model/store/StoreSchema.h"

#include "model/StoreWords.h"
#include "model/store/AttributeColumns.h"
#include "model/store/EntityTraits.h"
#include "model/store/SqliteDatabase.h"
#include "model/store/SqliteTransaction.h"

#include <array>
#include <string_view>

namespace {
// migrations[n] takes a store from version n to version n + 1.
constexpr std::array<const char*, StoreSchema::currentVersion> migrations = {
    // Widths of the integer attributes are part of the model: the store refuses wider values.
    // Doubles may be NULL: that is how a NaN is stored. Row keys are handed out from
    // RowSequence so that a key is never used twice, even after its row was deleted (a context
    // that has not yet merged the delete must not mistake a new row for the old one);
    // AUTOINCREMENT would do the same at twice the cost of an insert.
    "CREATE TABLE RowSequence (entity TEXT PRIMARY KEY, last INTEGER NOT NULL) WITHOUT ROWID;"
    "CREATE TABLE BalanceEntry ("
    " pk INTEGER PRIMARY KEY,"
    " id BLOB,"
    " date INTEGER,"
    " balance REAL DEFAULT 0,"
    " adjustment REAL DEFAULT 0,"
    " transfers REAL DEFAULT 0,"
    " note TEXT);"
    "CREATE TABLE TSXYear ("
    " pk INTEGER PRIMARY KEY,"
    " id BLOB,"
    " year INTEGER NOT NULL DEFAULT 0 CHECK (year BETWEEN -2147483648 AND 2147483647),"
    " label TEXT,"
    " tsxReturn REAL DEFAULT 0,"
    " actualStart REAL DEFAULT 0,"
    " actualEnd REAL DEFAULT 0,"
    " netCashFlows REAL DEFAULT 0,"
    " sortOrder INTEGER NOT NULL DEFAULT 0 CHECK (sortOrder BETWEEN -32768 AND 32767));"
    "PRAGMA application_id = 1129469524;",
    // Version 2: the change log. Every connection merges what the others committed by
    // reading the log from the last entry it saw, instead of re-reading whole tables: updates
    // and deletes are logged here by any writer; new rows need no entry, since row keys only
    // grow (rows above the highest key a reader knows are new). Only the last 10,000 entries
    // are kept; a reader that fell further behind re-reads the tables once.
    "CREATE TABLE ChangeLog (seq INTEGER PRIMARY KEY, entity INTEGER NOT NULL, pk INTEGER NOT NULL);"
    "CREATE TRIGGER BalanceEntryUpdated AFTER UPDATE ON BalanceEntry"
    " BEGIN INSERT INTO ChangeLog (entity, pk) VALUES (0, old.pk); END;"
    "CREATE TRIGGER BalanceEntryDeleted AFTER DELETE ON BalanceEntry"
    " BEGIN INSERT INTO ChangeLog (entity, pk) VALUES (0, old.pk); END;"
    "CREATE TRIGGER TSXYearUpdated AFTER UPDATE ON TSXYear"
    " BEGIN INSERT INTO ChangeLog (entity, pk) VALUES (1, old.pk); END;"
    "CREATE TRIGGER TSXYearDeleted AFTER DELETE ON TSXYear"
    " BEGIN INSERT INTO ChangeLog (entity, pk) VALUES (1, old.pk); END;"
    "CREATE TRIGGER ChangeLogTrimmed AFTER INSERT ON ChangeLog WHEN new.seq % 1000 = 0"
    " BEGIN DELETE FROM ChangeLog WHERE seq <= new.seq - 10000; END;",
};
static_assert(StoreSchema::applicationId == 1129469524);

// Whether the column declaration `declaration` (", "-separated part of a CREATE TABLE, or what
// follows ADD COLUMN) declares the attribute as described.
constexpr bool declaresAs(std::string_view declaration, std::string_view name, std::string_view type, Presence presence)
{
    while (declaration.starts_with(' '))
        declaration.remove_prefix(1);
    if (!declaration.starts_with(name) || !declaration.substr(name.size()).starts_with(' '))
        return false;
    declaration.remove_prefix(name.size() + 1);
    const bool required = declaration.find("NOT NULL") != std::string_view::npos;
    return declaration.starts_with(type) && required == (presence == Presence::Required);
}

// Whether the migrations give the entity's table a column for the attribute, of its type.
template <class Entity, class Description>
constexpr bool hasColumn(const Description& attribute)
{
    const std::string_view type = columnType<typename Description::Type>;
    const std::string_view table = Entity::entityName;
    for (std::string_view migration : migrations) {
        SqlText create, alter;
        create << "CREATE TABLE " << table << " (";
        alter << "ALTER TABLE " << table << " ADD COLUMN ";
        if (const auto start = migration.find(create.view()); start != std::string_view::npos) {
            std::string_view body = migration.substr(start + create.view().size());
            body = body.substr(0, body.find(");"));
            for (std::size_t comma; !body.empty(); body.remove_prefix(comma == std::string_view::npos ? body.size() : comma + 1)) {
                comma = body.find(',');
                if (declaresAs(body.substr(0, comma), attribute.name, type, attribute.presence))
                    return true;
            }
        }
        for (auto start = migration.find(alter.view()); start != std::string_view::npos; start = migration.find(alter.view(), start + 1)) {
            const std::string_view added = migration.substr(start + alter.view().size());
            if (declaresAs(added.substr(0, added.find(';')), attribute.name, type, attribute.presence))
                return true;
        }
    }
    return false;
}

template <class Entity>
constexpr bool migrationsDeclareEveryAttribute()
{
    bool every = true;
    forEachAttribute<Entity>([&](auto, const auto& attribute) { every = every && hasColumn<Entity>(attribute); });
    return every;
}
// A new attribute needs a migration step that adds its column.
static_assert(migrationsDeclareEveryAttribute<BalanceEntry>());
static_assert(migrationsDeclareEveryAttribute<TSXYear>());

QString describe(const QString& location, const QString& what) { return QStringLiteral("{path: %1, %2}").arg(location, what); }
} // namespace

namespace StoreSchema {

Result<void> inspect(SqliteDatabase& database, const QString& location)
{
    auto application = database.queryInteger("PRAGMA application_id");
    auto version = database.queryInteger("PRAGMA user_version");
    auto tables = database.queryInteger("SELECT count(*) FROM sqlite_master");
    for (const auto* read : {&application, &version, &tables}) {
        if (!read->ok())
            return Error{StoreWords::tr("The store file could not be read"),
                         describe(location, QStringLiteral("reason: %1").arg(read->error().message))};
    }
    if (application.value() == 0 && version.value() == 0 && tables.value() == 0)
        return {}; // an empty database: becomes a new store
    if (application.value() != applicationId)
        return Error{StoreWords::tr("The store file does not hold the Corvanta object model"),
                     describe(location, QStringLiteral("application_id: %1").arg(application.value()))};
    if (version.value() > currentVersion)
        return Error{StoreWords::tr("The store was written by a newer version of Corvanta"),
                     describe(location, QStringLiteral("version: %1, known: %2").arg(version.value()).arg(currentVersion))};
    return {};
}

Result<void> migrate(SqliteDatabase& database)
{
    auto version = database.queryInteger("PRAGMA user_version");
    if (!version)
        return version.error();
    if (version.value() == currentVersion)
        return {};
    auto transaction = SqliteTransaction::begin(database);
    if (!transaction)
        return transaction.error();
    // Read again under the write lock: another process may have migrated meanwhile.
    version = database.queryInteger("PRAGMA user_version");
    if (!version)
        return version.error();
    if (version.value() > currentVersion)
        return Error{StoreWords::tr("The store was written by a newer version of Corvanta"),
                     QStringLiteral("{version: %1, known: %2}").arg(version.value()).arg(currentVersion)};
    for (long long step = version.value(); step < currentVersion; ++step) {
        if (auto migrated = database.execute(migrations[static_cast<std::size_t>(step)]); !migrated)
            return migrated;
    }
    const QByteArray setVersion = QByteArrayLiteral("PRAGMA user_version = ") + QByteArray::number(currentVersion);
    if (auto stamped = database.execute(setVersion.constData()); !stamped)
        return stamped;
    return transaction.value().commit();
}

} // namespace StoreSchema
