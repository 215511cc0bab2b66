#include "model/StoredEntryInputs.h"

#include "model/store/AttributeColumns.h"
#include "model/store/SqliteDatabase.h"
#include "model/store/SqliteStatement.h"
#include "model/store/StoreConnection.h"

#include <algorithm>

Result<std::vector<StatsInput>> readStoredStatsInputs(const QString& path)
{
    auto database = StoreConnection::openForReading(path);
    if (!database)
        return database.error();
    // Pages straight from the mapped file, without a read() and a copy each (as the store's own
    // connections read).
    (void)database.value()->execute("PRAGMA mmap_size = 1073741824");
    // The ids are left out: reading them costs more than the rest of the row together.
    auto statement = SqliteStatement::prepare(*database.value(), "SELECT date, balance, adjustment FROM BalanceEntry ORDER BY pk");
    if (!statement)
        return statement.error();
    SqliteStatement& rows = statement.value();
    std::vector<StatsInput> inputs;
    for (;;) {
        auto row = rows.step();
        if (!row)
            return row.error();
        if (!row.value())
            break;
        std::optional<Instant> date;
        readAttribute(rows, 0, date);
        inputs.push_back(StatsInput{Uuid{}, date.value_or(distantPast()), rows.columnDouble(1), rows.columnDouble(2)});
    }
    const auto byDate = [](const StatsInput& a, const StatsInput& b) { return a.date < b.date; };
    if (!std::is_sorted(inputs.begin(), inputs.end(), byDate)) // entries are mostly added in date order
        std::stable_sort(inputs.begin(), inputs.end(), byDate);
    return inputs;
}
