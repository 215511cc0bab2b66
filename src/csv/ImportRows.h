#pragma once

#include "analytics/Instant.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace CSVPorter {

// The values of one data row that parsed.
struct ParsedEntry {
    Instant date;
    double balance = 0;
    double adjustment = 0;
    double transfers = 0;
    std::optional<QString> note;
};

// The data rows of a CSV text, converted, in file order, handed over in batches; plus the
// number of rows that looked like data but did not parse. The header and blank rows are in
// neither.
//
// Large texts are tokenized and converted on a worker thread while the caller's thread
// consumes the batches (where it inserts into its context); small ones on the caller's
// thread. `consume` always runs on the caller's thread, in order.
std::int64_t readEntries(std::string_view text, const std::function<void(std::vector<ParsedEntry>&)>& consume);

} // namespace CSVPorter
