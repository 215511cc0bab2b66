#pragma once

#include <cstddef>
#include <cstdint>
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

// Where a row is in the text: the line it starts on (1-based; LF, CR and CR LF each end a
// line, inside quoted fields too) and the offset just past its end.
struct RowPlace {
    std::int64_t line = 1;
    std::size_t end = 0;
};
using PlacedRow = std::function<void(std::span<const std::string> fields, bool droppedText, const RowPlace& place)>;
void forEachRow(std::string_view text, std::size_t keptFields, const PlacedRow& onRow);

} // namespace CSVPorter
