#include "analytics/Blanks.h"

#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <cstdint>
#include <limits>

namespace {
bool isBlank(UChar32 c) { return c == u'\t' || (c >= 0 && u_charType(c) == U_SPACE_SEPARATOR); }
} // namespace

std::string_view trimBlanks(std::string_view text)
{
    if (text.size() > static_cast<std::size_t>(std::numeric_limits<int32_t>::max()))
        return text; // far beyond anything typed; ICU's UTF-8 macros index with 32 bits
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    const auto length = static_cast<int32_t>(text.size());
    int32_t begin = 0;
    while (begin < length) {
        int32_t next = begin;
        UChar32 c = 0;
        U8_NEXT(bytes, next, length, c);
        if (!isBlank(c))
            break;
        begin = next;
    }
    int32_t end = length;
    while (end > begin) {
        int32_t previous = end;
        UChar32 c = 0;
        U8_PREV(bytes, begin, previous, c);
        if (!isBlank(c))
            break;
        end = previous;
    }
    return text.substr(static_cast<std::size_t>(begin), static_cast<std::size_t>(end - begin));
}
