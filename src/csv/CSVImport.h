#pragma once

#include <cstdint>
#include <functional>
#include <memory>
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

// Inserts one new entry into `context` for every data row of `text` (no save), appending
// each to `inserted`. The first row is a header when its first field contains "date" in any
// letter case.
// `afterBatch`, when given, runs after each batch of rows was inserted.
ImportCounts insertRows(std::string_view text, ObjectContext& context,
                        std::vector<std::shared_ptr<BalanceEntry>>& inserted,
                        const std::function<void()>& afterBatch = {});

} // namespace CSVPorter
