#pragma once

#include <cstddef>
#include <string_view>

// ASCII digits in text read byte by byte (amounts, years), whatever else the locale calls a digit.
namespace AsciiDigits {

constexpr bool isDigit(char c) { return c >= '0' && c <= '9'; }

// How many digits run from position `from` up to the next non-digit.
inline std::size_t digitsFrom(std::string_view text, std::size_t from)
{
    std::size_t end = from;
    while (end < text.size() && isDigit(text[end]))
        ++end;
    return end - from;
}

} // namespace AsciiDigits
