#pragma once

#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace CSVPorter {

// The tokenizer without the list: calls `onRow` with the fields of each row in turn (same
// rows as parse()). The fields' storage is reused for the next row.
void forEachRow(std::string_view text, const std::function<void(std::span<const std::string>)>& onRow);

// The same keeping only the first `keptFields` fields of each row (at least one): later
// fields are read but not stored, so memory follows the columns used, not the row's width.
// `droppedText` tells whether a field that was not kept held more than blanks (see trimmed()).
using KeptRow = std::function<void(std::span<const std::string> fields, bool droppedText)>;
void forEachRow(std::string_view text, std::size_t keptFields, const KeptRow& onRow);

} // namespace CSVPorter
