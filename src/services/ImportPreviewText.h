#pragma once

#include "services/CsvActions.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>

// What an import preview says, as texts: the window's preview and `corvanta import --dry-run`
// show the same.
namespace ImportPreviewText {

// How the dates were read, one text per pattern that read rows, most rows first:
// "MM/dd/yyyy: 06/04/2026 is June 4, 2026".
QStringList dateReadings(const CSVPorter::ImportReading& reading);
// The pattern that read the most rows ("MM/dd/yyyy"); empty when no row was read.
QString dateOrder(const CSVPorter::ImportReading& reading);

// The earliest and latest date of the rows; nothing without rows.
std::optional<std::pair<Instant, Instant>> dateRange(const CSVPorter::ImportReading& reading);
// "Jan 5, 2024 – Jun 4, 2026" as the entry table shows dates; empty without rows.
QString dateRangeText(const CSVPorter::ImportReading& reading);

// One row as the entry table shows it: date, balance, adjustment, transfers, note.
QStringList rowCells(const BalanceEntry::Values& values);

// "3 of these rows are already stored"
QString alreadyStoredText(std::int64_t count);
// Said when the amounts look like decimal-comma numbers.
QString decimalCommaText();

inline constexpr const char* skipAlreadyStoredLabel = QT_TRANSLATE_NOOP("ImportPreviewText", "Skip rows already stored");
inline constexpr const char* decimalCommaLabel = QT_TRANSLATE_NOOP("ImportPreviewText", "Read ',' as the decimal separator");

} // namespace ImportPreviewText
