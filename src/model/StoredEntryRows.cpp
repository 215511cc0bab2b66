#include "model/StoredEntryRows.h"

#include "model/store/AttributeColumns.h"
#include "model/store/SqliteDatabase.h"
#include "model/store/SqliteStatement.h"

namespace {
QByteArray selectionSql(const StoredEntrySelection& selection)
{
    QByteArray sql = "SELECT id, date, balance, adjustment, transfers, note FROM BalanceEntry";
    if (!selection.ids.empty()) {
        sql += " WHERE id IN (?";
        sql += QByteArray(", ?").repeated(qsizetype(selection.ids.size()) - 1);
        sql += ')';
    }
    // SQLite's sorter spills to temporary files past a few megabytes instead of growing.
    sql += selection.order == StoredEntrySelection::Order::OldestFirst ? " ORDER BY date, pk" : " ORDER BY date DESC, pk DESC";
    if (selection.limit)
        sql += " LIMIT " + QByteArray::number(qlonglong(*selection.limit));
    return sql;
}
} // namespace

Result<void> readStoredEntries(const QString& path, const StoredEntrySelection& selection,
                               const std::function<bool(const BalanceEntry::Values&)>& row)
{
    auto database = SqliteDatabase::open(path, SqliteDatabase::Mode::ReadOnly);
    if (!database)
        return database.error();
    const QByteArray sql = selectionSql(selection);
    auto statement = SqliteStatement::prepare(*database.value(), sql.constData());
    if (!statement)
        return statement.error();
    SqliteStatement& rows = statement.value();
    for (std::size_t i = 0; i < selection.ids.size(); ++i)
        rows.bindBlob(int(i) + 1, selection.ids[i].bytes);
    BalanceEntry::Values values;
    for (;;) {
        auto stepped = rows.step();
        if (!stepped)
            return stepped.error();
        if (!stepped.value())
            return {};
        readAttribute(rows, 0, values.id);
        readAttribute(rows, 1, values.date);
        readAttribute(rows, 2, values.balance);
        readAttribute(rows, 3, values.adjustment);
        readAttribute(rows, 4, values.transfers);
        readAttribute(rows, 5, values.note);
        if (!row(values))
            return {};
    }
}
