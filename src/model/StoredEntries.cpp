#include "model/StoredEntries.h"

#include "model/store/AttributeColumns.h"
#include "model/store/EntityTraits.h"
#include "model/store/SqliteDatabase.h"
#include "model/store/SqliteStatement.h"
#include "model/store/StoreConnection.h"

#include <algorithm>
#include <array>

namespace {

using Traits = EntityTraits<BalanceEntry>;
using Values = BalanceEntry::Values;

// What the figures need. The ids are left out: reading them costs more than the rest of the
// row together.
constexpr std::array statsAttributes{BalanceEntry::Date, BalanceEntry::Balance, BalanceEntry::Adjustment};
constexpr std::array allButId{BalanceEntry::Date, BalanceEntry::Balance, BalanceEntry::Adjustment, BalanceEntry::Transfers,
                              BalanceEntry::Note};
constexpr std::array everyAttribute{BalanceEntry::Id, BalanceEntry::Date, BalanceEntry::Balance, BalanceEntry::Adjustment,
                                    BalanceEntry::Transfers, BalanceEntry::Note};
static_assert(everyAttribute.size() == BalanceEntry::attributeCount);

constexpr SqlText statsSql = Traits::selectColumns(statsAttributes, " ORDER BY pk");
constexpr SqlText valuesSql = Traits::selectColumns(allButId, " ORDER BY pk");
constexpr SqlText selectionHead = Traits::selectColumns(everyAttribute, "");

// The attributes' columns of the current row, in that order, into `values`.
template <std::size_t N>
void readColumns(const SqliteStatement& rows, const std::array<BalanceEntry::Attribute, N>& attributes, Values& values)
{
    for (std::size_t column = 0; column < N; ++column)
        Traits::withField(attributes[column], [&](auto field) { readAttribute(rows, int(column), values.*field); });
}

// Calls `onRow` for each row of `sql` (its parameters set by `bind`) over a read-only
// connection to the store at `path`, until it returns false.
template <class Bind, class OnRow>
Result<void> readRows(const QString& path, const char* sql, Bind&& bind, OnRow&& onRow)
{
    auto database = StoreConnection::openForReading(path); // creates nothing on a full disk
    if (!database)
        return database.error();
    // Pages straight from the mapped file, without a read() and a copy each (as the store's own
    // connections read).
    (void)database.value()->execute("PRAGMA mmap_size = 1073741824");
    auto statement = SqliteStatement::prepare(*database.value(), sql);
    if (!statement)
        return statement.error();
    SqliteStatement& rows = statement.value();
    bind(rows);
    for (;;) {
        auto row = rows.step();
        if (!row)
            return row.error();
        if (!row.value() || !onRow(rows))
            return {};
    }
}

const auto bindNothing = [](SqliteStatement&) {};

QByteArray selectionSql(const StoredEntrySelection& selection)
{
    QByteArray sql = selectionHead.c_str();
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
    const QByteArray sql = selectionSql(selection);
    const auto bindIds = [&](SqliteStatement& rows) {
        for (std::size_t i = 0; i < selection.ids.size(); ++i)
            rows.bindBlob(int(i) + 1, selection.ids[i].bytes);
    };
    Values values;
    return readRows(path, sql.constData(), bindIds, [&](const SqliteStatement& rows) {
        readColumns(rows, everyAttribute, values);
        return row(values);
    });
}

Result<std::vector<StatsInput>> readStoredStatsInputs(const QString& path)
{
    std::vector<StatsInput> inputs;
    Values values;
    auto read = readRows(path, statsSql.c_str(), bindNothing, [&](const SqliteStatement& rows) {
        readColumns(rows, statsAttributes, values);
        inputs.push_back(StatsInput{Uuid{}, values.date.value_or(distantPast()), values.balance, values.adjustment});
        return true;
    });
    if (!read)
        return read.error();
    const auto byDate = [](const StatsInput& a, const StatsInput& b) { return a.date < b.date; };
    if (!std::is_sorted(inputs.begin(), inputs.end(), byDate)) // entries are mostly added in date order
        std::stable_sort(inputs.begin(), inputs.end(), byDate);
    return inputs;
}

Result<std::vector<BalanceEntry::Values>> readStoredEntryValues(const QString& path)
{
    std::vector<BalanceEntry::Values> values;
    auto read = readRows(path, valuesSql.c_str(), bindNothing, [&](const SqliteStatement& rows) {
        readColumns(rows, allButId, values.emplace_back());
        return true;
    });
    if (!read)
        return read.error();
    return values;
}
