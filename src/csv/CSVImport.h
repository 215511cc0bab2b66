#pragma once

#include "csv/ImportRows.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
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

// Inserts one new entry into `context` for every row not left out (see makeEntries), in order
// (no save), appending each to `inserted`; returns how many. `afterBatch`, when given, runs
// after each batch of rows was inserted.
std::int64_t insertRows(std::span<const ReadRow> rows, const std::vector<bool>& leaveOut, ObjectContext& context,
                        std::vector<std::shared_ptr<BalanceEntry>>& inserted, const std::function<void()>& afterBatch = {});

} // namespace CSVPorter
