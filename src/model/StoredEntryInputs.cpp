#include "model/StoredEntryInputs.h"

#include "model/store/AttributeColumns.h"
#include "model/store/SqliteDatabase.h"
#include "model/store/SqliteStatement.h"

#include <algorithm>

namespace {

// Calls `onRow` for each row of `sql` over a read-only connection to the store at `path`.
template <class OnRow>
Result<void> readRows(const QString& path, const char* sql, OnRow&& onRow)
{
    auto database = SqliteDatabase::open(path, SqliteDatabase::Mode::ReadOnly);
    if (!database)
        return database.error();
    // Pages straight from the mapped file, without a read() and a copy each (as the store's own
    // connections read).
    (void)database.value()->execute("PRAGMA mmap_size = 1073741824");
    auto statement = SqliteStatement::prepare(*database.value(), sql);
    if (!statement)
        return statement.error();
    SqliteStatement& rows = statement.value();
    for (;;) {
        auto row = rows.step();
        if (!row)
            return row.error();
        if (!row.value())
            return {};
        onRow(rows);
    }
}

} // namespace

Result<std::vector<StatsInput>> readStoredStatsInputs(const QString& path)
{
    std::vector<StatsInput> inputs;
    // The ids are left out: reading them costs more than the rest of the row together.
    auto read = readRows(path, "SELECT date, balance, adjustment FROM BalanceEntry ORDER BY pk", [&](const SqliteStatement& rows) {
        std::optional<Instant> date;
        readAttribute(rows, 0, date);
        inputs.push_back(StatsInput{Uuid{}, date.value_or(distantPast()), rows.columnDouble(1), rows.columnDouble(2)});
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
    auto read = readRows(path, "SELECT date, balance, adjustment, transfers, note FROM BalanceEntry ORDER BY pk", [&](const SqliteStatement& rows) {
        BalanceEntry::Values& entry = values.emplace_back();
        readAttribute(rows, 0, entry.date);
        entry.balance = rows.columnDouble(1);
        entry.adjustment = rows.columnDouble(2);
        entry.transfers = rows.columnDouble(3);
        readAttribute(rows, 4, entry.note);
    });
    if (!read)
        return read.error();
    return values;
}
