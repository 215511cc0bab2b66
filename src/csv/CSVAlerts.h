#pragma once

#include "csv/ImportRows.h"

#include <QString>

#include <cstdint>
#include <span>

// The texts of every alert the CSV import and export show, in one place.
namespace CSVPorter {

enum class AlertStyle { Warning, Informational };

// A modal alert's texts: the message text (the box's text) and the informative text.
struct Alert {
    QString messageText;
    QString informativeText;
    AlertStyle style = AlertStyle::Warning;
    friend bool operator==(const Alert&, const Alert&) = default;
};

// The result of an import: how many entries, how many rows skipped.
Alert resultAlert(std::int64_t imported, std::int64_t skipped);
// The same, followed by how many rows were left out as already stored and (with `listLines`)
// by the skipped lines (see skippedLinesText). When every row read was left out as stored,
// "No rows imported" says only that, not the expected columns.
Alert importAlert(std::int64_t imported, std::span<const SkippedLine> skipped, std::int64_t leftOutAsStored, bool listLines = true);

// "line 14: 'Jun 31 2026' is not a date"
QString skippedLineText(const SkippedLine& line);
// The first `shown` of them, one a line, then "and N more" for the rest.
inline constexpr std::size_t skippedLinesShown = 100;
QString skippedLinesText(std::span<const SkippedLine> lines, std::size_t shown = skippedLinesShown);
// "Skipped 3 rows already stored."
QString leftOutAsStoredText(std::int64_t count);
// "CSV Error" alerts.
Alert readFailureAlert();
Alert saveFailureAlert(const QString& description);
Alert exportFailureAlert(const QString& description);

} // namespace CSVPorter
