#include "csv/FieldText.h"
#include "csv/CSVPorter.h"

#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <cstdint>
#include <cstring>

namespace CSVPorter {
namespace {

bool isBlank(UChar32 c)
{
    if (c == ' ' || c == '\t')
        return true;
    return c >= 0x80 && u_charType(c) == U_SPACE_SEPARATOR;
}

// Byte length of the blank that starts `text`, or 0.
std::size_t leadingBlank(std::string_view text)
{
    if (text.empty())
        return 0;
    const auto first = static_cast<unsigned char>(text.front());
    if (first < 0x80)
        return isBlank(first) ? 1 : 0;
    const auto length = static_cast<int32_t>(std::min<std::size_t>(text.size(), 4));
    int32_t offset = 0;
    UChar32 c;
    U8_NEXT(reinterpret_cast<const uint8_t*>(text.data()), offset, length, c);
    return c >= 0 && isBlank(c) ? static_cast<std::size_t>(offset) : 0;
}

// Byte length of the blank that ends `text`, or 0.
std::size_t trailingBlank(std::string_view text)
{
    if (text.empty())
        return 0;
    const auto last = static_cast<unsigned char>(text.back());
    if (last < 0x80)
        return isBlank(last) ? 1 : 0;
    const std::size_t window = std::min<std::size_t>(text.size(), 4);
    const auto* start = reinterpret_cast<const uint8_t*>(text.data() + text.size() - window);
    auto offset = static_cast<int32_t>(window);
    UChar32 c;
    U8_PREV(start, 0, offset, c);
    return c >= 0 && isBlank(c) ? window - static_cast<std::size_t>(offset) : 0;
}

} // namespace

std::string_view trimmed(std::string_view text)
{
    while (const std::size_t n = leadingBlank(text))
        text.remove_prefix(n);
    while (const std::size_t n = trailingBlank(text))
        text.remove_suffix(n);
    return text;
}

bool isAscii(std::string_view text)
{
    std::size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + i, 8);
        if (word & 0x8080808080808080ULL)
            return false;
    }
    for (; i < text.size(); ++i)
        if (static_cast<unsigned char>(text[i]) >= 0x80)
            return false;
    return true;
}

std::optional<std::string> unescape(std::string_view field)
{
    const std::string_view text = trimmed(field);
    if (text.empty())
        return std::nullopt;
    return std::string(text);
}

} // namespace CSVPorter
