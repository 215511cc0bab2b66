#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace CSVPorter {

// The tokenizer without the list: calls `onRow` with the fields of each row in turn (same
// rows as parse()). The fields' storage is reused for the next row.
void forEachRow(std::string_view text, const std::function<void(std::span<const std::string>)>& onRow);

} // namespace CSVPorter
