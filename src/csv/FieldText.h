#pragma once

#include <string_view>

namespace CSVPorter {

// `text` without the space separators (Unicode category Zs: space, no-break space, …) and
// horizontal tabs at either end. Line breaks stay. Code points, not grapheme clusters, are
// removed, so a space carrying a combining mark loses the space.
std::string_view trimmed(std::string_view text);

// True when every byte is ASCII (a cheap test that lets callers skip Unicode work).
bool isAscii(std::string_view text);

} // namespace CSVPorter
