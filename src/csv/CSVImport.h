#pragma once

#include "csv/CSVAlerts.h"

#include <QByteArray>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

class BalanceEntry;
class ObjectContext;

namespace CSVPorter {

// Rows that became entries, and rows that looked like data but did not parse. The header
// and blank rows count in neither.
struct ImportCounts {
    std::int64_t imported = 0;
    std::int64_t skipped = 0;
    friend bool operator==(const ImportCounts&, const ImportCounts&) = default;
};

// What an import of a file's bytes did, and the alert to show for it.
struct ImportOutcome {
    // The number of entries stored; nothing when the file could not be read or the save failed.
    std::optional<std::int64_t> imported;
    ImportCounts counts;
    Alert alert;
};

// Inserts one new entry into `context` for every data row of `text` (no save), appending
// each to `inserted`. The first row is a header when its first field contains "date" in any
// letter case.
// `afterBatch`, when given, runs after each batch of rows was inserted.
ImportCounts insertRows(std::string_view text, ObjectContext& context,
                        std::vector<std::shared_ptr<BalanceEntry>>& inserted,
                        const std::function<void()>& afterBatch = {});

// The import without dialogs: reads `bytes` as UTF-8 (a leading byte-order mark is dropped),
// inserts the rows and saves the context once. A failed save takes the new entries out of
// the context again, so nothing half-imported stays behind, in the store or in memory.
ImportOutcome importCSVData(const QByteArray& bytes, ObjectContext& context);

} // namespace CSVPorter
