#include "analytics/Blanks.h"

#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <cstdint>
#include <limits>

namespace {
bool isBlank(UChar32 c) { return c == u'\t' || (c >= 0 && u_charType(c) == U_SPACE_SEPARATOR); }

// The code point next to `at` inside [begin, end), walking forwards or backwards, and where
// the walk continues after it.
struct Step {
    UChar32 c;
    int32_t next;
};
Step forward(const uint8_t* bytes, int32_t at, int32_t end)
{
    Step step{0, at};
    U8_NEXT(bytes, step.next, end, step.c);
    return step;
}
Step backward(const uint8_t* bytes, int32_t begin, int32_t at)
{
    Step step{0, at};
    U8_PREV(bytes, begin, step.next, step.c);
    return step;
}
} // namespace

std::string_view trimBlanks(std::string_view text)
{
    if (text.size() > static_cast<std::size_t>(std::numeric_limits<int32_t>::max()))
        return text; // far beyond anything typed; ICU's UTF-8 macros index with 32 bits
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    int32_t begin = 0;
    int32_t end = static_cast<int32_t>(text.size());
    for (Step step; begin < end && isBlank((step = forward(bytes, begin, end)).c);)
        begin = step.next;
    for (Step step; end > begin && isBlank((step = backward(bytes, begin, end)).c);)
        end = step.next;
    return text.substr(static_cast<std::size_t>(begin), static_cast<std::size_t>(end - begin));
}
