#pragma once

#include "csv/CSVAlerts.h"
#include "csv/CSVImport.h"
#include "csv/ImportRows.h"
#include "model/Result.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "model/ObjectContext.h"

struct CommittedEntries;

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

// The text of a CSV file's bytes: UTF-8 with a leading byte-order mark dropped. Other bytes
// are a read failure naming `path` and the first byte that is not UTF-8, counted from 1:
// "“/tmp/in.csv”: not UTF-8 at byte 1234."
Result<std::string_view> importText(const QByteArray& bytes, const QString& path = {});

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

// The save of an import made in a background context (its own connection and thread), so
// that the window keeps painting: storeInBackground writes the rows in one transaction there,
// and adoptImport has the main context take in what it committed and makes that the main
// context's undo step. Only the preview and what the save stored cross between the two.
struct StoredRows {
    std::int64_t count = 0;
    // What the save stored, ready for the main context (none when nothing was stored).
    std::shared_ptr<CommittedEntries> entries;
};
// `progress` is called after each batch with the share stored so far; returning false stops
// the import, which then writes nothing and gives nothing. Runs on the background context's thread.
std::optional<Result<StoredRows>> storeInBackground(ObjectContext& background, const ImportPreview& preview, bool skipAlreadyStored,
                                                    const std::function<bool(double)>& progress);
// On the main context, once storeInBackground committed (`hold`, taken before it began, kept
// the main context from reading the rows back meanwhile): the stored rows are taken in over
// several event-loop passes (see ObjectContext::adoptCommitted, `progressed` gets the share
// done) and become one undo step ("Import 60 Entries"); then `finished` gets what the import did.
void adoptImport(ObjectContext& context, const ImportPreview& preview, bool skipAlreadyStored, const Result<StoredRows>& stored,
                 ObjectContext::MergeHold hold, std::function<void(double)> progressed, std::function<void(const ImportOutcome&)> finished);

// Every data row of `bytes` becomes an entry (no comparison with the stored ones), as
// importPreviewed does. Bytes that are not UTF-8 give the read-failure alert naming `path`.
ImportOutcome importBytes(ObjectContext& context, const QByteArray& bytes, const QString& path = {});
// The same for a file's contents (see CSVPorter::readFile). A file that cannot be read gives
// the read-failure alert naming it and why.
ImportOutcome importFile(ObjectContext& context, const QString& path);

// The CSV text of every entry of `context` (newest first; see CSVPorter::csvString).
Result<QByteArray> exportBytes(ObjectContext& context);
// Writes it to `path` (see CSVPorter::writeFile): a file is replaced atomically, so that on
// failure the file that was there is left as it was; a device or a pipe is written into.
Result<void> exportFile(ObjectContext& context, const QString& path);

} // namespace CsvActions
