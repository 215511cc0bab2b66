#pragma once

#include "csv/CSVAlerts.h"
#include "csv/CSVImport.h"
#include "csv/ImportRows.h"
#include "model/Result.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

class ObjectContext;

// Import and export of CSV files without dialogs: the interactive import and export (and the
// command line) call these and present the alert. The functions taking a context run on its
// thread only; the preview works on plain values and runs on any thread.
namespace CsvActions {

// What an import would do, computed without writing anything.
struct ImportPreview {
    CSVPorter::ImportReading reading;
    // Per row of reading.rows: equal to an entry stored before the import (see markAlreadyStored).
    std::vector<bool> alreadyStored;
    std::int64_t alreadyStoredCount = 0;
};

// The text of a CSV file's bytes: UTF-8 with a leading byte-order mark dropped; nothing when
// the bytes are not UTF-8.
std::optional<std::string_view> importText(const QByteArray& bytes);

// Reads `text` and compares its rows with `stored` (the values of the entries stored now).
ImportPreview previewImport(std::string_view text, std::span<const BalanceEntry::Values> stored,
                            const CSVPorter::ReadOptions& options = {}, const CSVPorter::ReadProgress& progress = {});

// The values of every entry of `context`, for previewImport.
Result<std::vector<BalanceEntry::Values>> storedValues(ObjectContext& context);

// What an import did, and the alert to show for it.
struct ImportOutcome {
    // The number of entries stored; nothing when the file could not be read or the save failed.
    std::optional<std::int64_t> imported;
    CSVPorter::ImportCounts counts;
    CSVPorter::Alert alert;
    // Rows left out because they were already stored.
    std::int64_t leftOutAsStored = 0;
};

// Stores the previewed rows, leaving out those already stored when `skipAlreadyStored`, and
// saves once; the whole import is one undo step ("Import 60 Entries"). A failed save leaves
// nothing behind: no entry in the context or the store, the undo history as it was.
ImportOutcome importPreviewed(ObjectContext& context, const ImportPreview& preview, bool skipAlreadyStored);

// Every data row of `bytes` becomes an entry (no comparison with the stored ones), as
// importPreviewed does.
ImportOutcome importBytes(ObjectContext& context, const QByteArray& bytes);
// The same for a file's contents (see CSVPorter::readWholeFile: a regular file or a pipe, at
// most 2 GiB). A file that cannot be read gives the read-failure alert naming it and why.
ImportOutcome importFile(ObjectContext& context, const QString& path);

// The CSV text of every entry of `context` (newest first; see CSVPorter::csvString).
Result<QByteArray> exportBytes(ObjectContext& context);
// Writes it to `path` (see CSVPorter::writeFile): a file is replaced atomically, so that on
// failure the file that was there is left as it was; a device or a pipe is written into.
Result<void> exportFile(ObjectContext& context, const QString& path);

} // namespace CsvActions
