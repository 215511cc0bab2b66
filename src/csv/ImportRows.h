#pragma once

#include "model/BalanceEntry.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

namespace CSVPorter {

// One new entry (detached, with a fresh id) for each data row of a CSV text, in file order,
// handed over in batches; plus the number of rows that looked like data but did not parse.
// The header and blank rows are in neither.
//
// Large texts are tokenized, converted and made into entries on a worker thread while the
// caller's thread consumes the batches (where it inserts into its context); small ones on the
// caller's thread. `consume` always runs on the caller's thread, in order.
using EntryBatch = std::vector<std::shared_ptr<BalanceEntry>>;
std::int64_t readEntries(std::string_view text, const std::function<void(EntryBatch&)>& consume);

} // namespace CSVPorter
