#pragma once

#include <string_view>

// `text` (UTF-8) without leading and trailing blanks: Unicode space separators (space,
// no-break space, ideographic space, ...) and horizontal tabs. Line breaks are kept, so
// a trailing newline still makes a typed value unreadable.
std::string_view trimBlanks(std::string_view text);
