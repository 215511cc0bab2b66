#pragma once

#include <QString>

#include <vector>

class QAbstractItemModel;

// The entry table's rows as text, as the table shows them (display texts of every column).
namespace EntryTableText {

// A header line of the column titles, then one line per row in the given order; cells split by
// tabs, lines ended by LF. Tabs and line breaks inside a cell become spaces, so every line
// keeps one cell per column.
QString tabSeparated(const QAbstractItemModel& model, const std::vector<int>& rows);

// Whether any cell of `row` contains `query` (case folded). Dates also match their
// YYYY-MM-DD form; a query of digits and punctuation ("1234.5", "-1,234") also matches an
// amount whose digits contain the query's digits in order ("$1,234.50").
bool rowMatches(const QAbstractItemModel& model, int row, const QString& query);

} // namespace EntryTableText
