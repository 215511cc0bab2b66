#include "csv/Utf8.h"
#include "csv/FieldText.h"

#include <unicode/utf8.h>

#include <climits>
#include <cstdint>

namespace CSVPorter {

bool isValidUtf8(std::string_view bytes) { return !firstInvalidUtf8Byte(bytes); }

std::optional<std::size_t> firstInvalidUtf8Byte(std::string_view bytes)
{
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
    std::size_t i = 0;
    while (i < bytes.size()) {
        if (i + 16 <= bytes.size() && isAscii(bytes.substr(i, 16))) {
            i += 16;
            continue;
        }
        if (data[i] < 0x80) {
            ++i;
            continue;
        }
        // U8_NEXT reads one sequence (at most 4 bytes) and gives a negative value for any
        // ill-formed one.
        const std::size_t window = std::min<std::size_t>(bytes.size() - i, 4);
        int32_t offset = 0;
        UChar32 c;
        U8_NEXT(data + i, offset, static_cast<int32_t>(window), c);
        if (c < 0)
            return i;
        i += static_cast<std::size_t>(offset);
    }
    return std::nullopt;
}

std::string_view withoutByteOrderMark(std::string_view text)
{
    constexpr std::string_view mark = "\xEF\xBB\xBF";
    if (text.substr(0, mark.size()) == mark)
        text.remove_prefix(mark.size());
    return text;
}

} // namespace CSVPorter
