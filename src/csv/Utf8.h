#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace CSVPorter {

// Well-formed UTF-8 (no overlong forms, surrogates or code points above U+10FFFF).
bool isValidUtf8(std::string_view bytes);
// The offset of the first byte that does not belong to well-formed UTF-8; nothing when all do.
std::optional<std::size_t> firstInvalidUtf8Byte(std::string_view bytes);

// `text` without a leading UTF-8 byte-order mark.
std::string_view withoutByteOrderMark(std::string_view text);

} // namespace CSVPorter
