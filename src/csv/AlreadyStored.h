#pragma once

#include "csv/ImportRows.h"

#include <span>
#include <vector>

namespace CSVPorter {

// Which rows are already stored: equal to an entry that existed before the import in local
// day, balance, adjustment, transfers and note (trimmed, an empty note being none). Each stored
// entry accounts for one row at most, so a file that repeats a row keeps as many copies as the
// store lacks, and rows equal to each other are never duplicates of each other. Any thread
// (the day arithmetic is in the default time zone).
std::vector<bool> markAlreadyStored(std::span<const ReadRow> rows, std::span<const BalanceEntry::Values> stored);

} // namespace CSVPorter
