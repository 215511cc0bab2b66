#pragma once

#include "csv/CSVAlerts.h"
#include "csv/CSVImport.h"
#include "model/Result.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>

class ObjectContext;

// Import and export of CSV files without dialogs: the interactive import and export (and the
// command line) call these and present the alert. Main thread of `context` only.
namespace CsvActions {

// What an import did, and the alert to show for it.
struct ImportOutcome {
    // The number of entries stored; nothing when the file could not be read or the save failed.
    std::optional<std::int64_t> imported;
    CSVPorter::ImportCounts counts;
    CSVPorter::Alert alert;
};

// Reads `bytes` as UTF-8 (a leading byte-order mark is dropped), inserts one entry per data
// row and saves once; the whole import is one undo step ("Import 60 Entries"). A failed save leaves nothing
// behind: no entry in the context or the store, the undo history as it was.
ImportOutcome importBytes(ObjectContext& context, const QByteArray& bytes);
// The same for a file's contents; an unreadable file gives the read-failure alert.
ImportOutcome importFile(ObjectContext& context, const QString& path);

// The CSV text of every entry of `context` (newest first; see CSVPorter::csvString).
Result<QByteArray> exportBytes(ObjectContext& context);
// Writes it to `path` atomically: on failure the file that was there is left as it was.
Result<void> exportFile(ObjectContext& context, const QString& path);

} // namespace CsvActions
