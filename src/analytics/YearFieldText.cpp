#include "analytics/YearFieldText.h"

#include "analytics/AsciiDigits.h"
#include "analytics/Blanks.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace {
using AsciiDigits::digitsFrom;
using AsciiDigits::isDigit;

// `text` without one leading sign, and whether that sign was a minus.
std::string_view withoutSign(std::string_view text, bool& negative)
{
    negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '+' || text.front() == '-'))
        text.remove_prefix(1);
    return text;
}

// Digits, an optional point with more digits (at least one digit in all), an optional
// exponent with its own sign and digits: exactly the whole text.
bool isPlainDecimal(std::string_view text)
{
    std::size_t at = digitsFrom(text, 0);
    std::size_t mantissaDigits = at;
    if (at < text.size() && text[at] == '.') {
        const std::size_t fraction = digitsFrom(text, at + 1);
        mantissaDigits += fraction;
        at += 1 + fraction;
    }
    if (mantissaDigits == 0)
        return false;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        if (at < text.size() && (text[at] == '+' || text[at] == '-'))
            ++at;
        const std::size_t exponent = digitsFrom(text, at);
        if (exponent == 0)
            return false;
        at += exponent;
    }
    return at == text.size();
}
} // namespace

namespace YearFieldText {
std::string yearText(std::int32_t year) { return year == 0 ? std::string() : std::to_string(year); }

std::int32_t readYear(std::string_view text)
{
    bool negative = false;
    const std::string_view digits = withoutSign(trimBlanks(text), negative);
    if (digits.empty() || digitsFrom(digits, 0) != digits.size())
        return 0;
    // Read the magnitude one wider than the result, so that -2147483648 fits.
    std::int64_t magnitude = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), magnitude);
    if (error != std::errc() || end != digits.data() + digits.size())
        return 0;
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
        return 0;
    return static_cast<std::int32_t>(value);
}

std::string decimalText(double value)
{
    if (value == 0)
        return {};
    char buffer[64];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    if (error != std::errc())
        return {};
    std::string text(buffer, end);
    // A whole number keeps one fractional zero, so that it reads as an amount (12.0).
    if (std::isfinite(value) && text.find_first_of(".e") == std::string::npos)
        text += ".0";
    return text;
}

double readDecimal(std::string_view text)
{
    bool negative = false;
    const std::string_view number = withoutSign(trimBlanks(text), negative);
    if (!isPlainDecimal(number))
        return 0;
    double magnitude = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), magnitude);
    if (error != std::errc() || end != number.data() + number.size() || !std::isfinite(magnitude))
        return 0;
    return negative ? -magnitude : magnitude;
}
} // namespace YearFieldText
