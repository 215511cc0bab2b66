#pragma once

#include "csv/ImportDates.h"
#include "model/BalanceEntry.h"

#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

namespace CSVPorter {

struct ReadOptions {
    // Read "," as the decimal separator and "." as grouping (see DecimalComma.h).
    bool decimalComma = false;
};

// A data row that reads: the entry it becomes (without an id yet) and the line it starts on.
struct ReadRow {
    std::int64_t line = 0;
    BalanceEntry::Values values;
};

// A row that looked like data but does not read, and why ("'Jun 31 2026' is not a date").
struct SkippedLine {
    std::int64_t line = 0;
    QString reason;
};

// How many rows one import date pattern read, and the first of them (a slash date whose
// month and day could trade places when there is one, since that is the reading worth showing).
struct DatePatternUse {
    std::int64_t rows = 0;
    QString example;
    Instant instant{};
};

// Everything a CSV text holds for an import, as plain values. The header and blank rows are in
// neither `rows` nor `skipped`.
struct ImportReading {
    std::vector<ReadRow> rows;
    std::vector<SkippedLine> skipped;
    std::array<DatePatternUse, importDatePatterns.size()> datePatterns{};
    // Amount fields (balance, adjustment, transfers) whose separators suggest each reading.
    std::int64_t decimalCommaHints = 0;
    std::int64_t decimalPointHints = 0;
    bool cancelled = false;

    bool looksDecimalComma() const { return decimalCommaHints > 0 && decimalPointHints == 0; }
};

// Called now and then with the share of the text read so far (0 to 1); returning false
// stops the reading, which then comes back with `cancelled` set.
using ReadProgress = std::function<bool(double)>;

// Reads every row of `text` (UTF-8, no byte-order mark). The first row is a header when its
// first field contains "date" in any letter case. Any thread.
ImportReading readImport(std::string_view text, const ReadOptions& options = {}, const ReadProgress& progress = {});

// Detached entries with fresh ids for the rows not left out (`leaveOut[i]` true leaves out
// rows[i]; an empty `leaveOut` keeps all), in order, handed over in batches. Many rows are made
// into entries on a worker thread while the caller's thread consumes the batches; `consume`
// always runs on the caller's thread.
using EntryBatch = std::vector<std::shared_ptr<BalanceEntry>>;
void makeEntries(std::span<const ReadRow> rows, const std::vector<bool>& leaveOut, const std::function<void(EntryBatch&)>& consume);

} // namespace CSVPorter
