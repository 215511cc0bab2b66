#include "csv/CSVPorter.h"
#include "csv/FieldText.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <locale.h>
#include <string>

namespace CSVPorter {
namespace {

// The C library's conversion in the "C" locale whatever the process locale is (Qt sets the
// user's locale, where the decimal point may be a comma).
std::optional<double> strtodWholeText(const std::string& text)
{
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    char* end = nullptr;
    const double value = strtod_l(text.c_str(), &end, cLocale);
    if (end != text.c_str() + text.size())
        return std::nullopt;
    return value;
}

// Plain amounts ("-1234.56"): at most 15 digits after the leading zeros, no exponent. The
// digits as an integer and the power of ten are both exact doubles, so one division rounds
// exactly as strtod does. NaN when the text is not such an amount: a plain double comes back in
// a register, where an optional was assembled on the stack and stalled every read on it.
double readShortDecimal(std::string_view text)
{
    static constexpr double powersOfTen[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    const char* p = text.data();
    const char* const end = p + text.size();
    const bool negative = p != end && *p == '-';
    p += negative;
    const char* const first = p;
    while (p != end && *p == '0')
        ++p;
    const char* const significant = p;
    std::uint64_t digits = 0;
    const auto readDigits = [&] {
        for (; p != end && static_cast<unsigned char>(*p - '0') <= 9; ++p)
            digits = digits * 10 + static_cast<std::uint64_t>(*p - '0');
    };
    readDigits();
    std::ptrdiff_t fractionDigits = 0;
    const bool point = p != end && *p == '.';
    if (point) {
        const char* fraction = ++p;
        readDigits();
        fractionDigits = p - fraction;
    }
    const std::ptrdiff_t digitCount = p - significant - point;
    if (p != end || p - first == point || digitCount > 15)
        return std::numeric_limits<double>::quiet_NaN(); // something else, no digit at all, or too many digits
    const double value = static_cast<double>(digits) / powersOfTen[fractionDigits];
    return negative ? -value : value;
}

// The same reading as strtod for decimal literals, much faster; anything it does not read
// cleanly (hexadecimal forms, a leading "+", out-of-range exponents) goes to strtod.
std::optional<double> readFloatingLiteral(std::string_view text)
{
    if (const double plain = readShortDecimal(text); !std::isnan(plain))
        return plain;
    double value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error == std::errc{} && stop == end)
        return value;
    return strtodWholeText(std::string(text));
}

// "$" and "," (always a thousands separator) and spaces are ignored anywhere in an amount.
bool isIgnored(char c) { return c == '$' || c == ',' || c == ' '; }

bool isCSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

} // namespace

std::optional<double> parseNumber(std::string_view field)
{
    std::string_view text = trimmed(field);
    const bool accountingNegative = text.size() >= 2 && text.front() == '(' && text.back() == ')';
    if (accountingNegative)
        text = text.substr(1, text.size() - 2);

    // Most amounts are plain decimals, read at once.
    if (const double plain = readShortDecimal(text); !std::isnan(plain))
        return accountingNegative ? -plain : plain;

    // Most others hold none of the ignored characters and are read in place.
    std::string stripped;
    std::string_view literal = text;
    if (std::any_of(text.begin(), text.end(), isIgnored)) {
        stripped.reserve(text.size());
        std::copy_if(text.begin(), text.end(), std::back_inserter(stripped), [](char c) { return !isIgnored(c); });
        literal = stripped;
    }
    // strtod would skip leading whitespace; a tab or line break left inside is not a number.
    if (literal.empty() || isCSpace(literal.front()))
        return std::nullopt;

    const std::optional<double> value = readFloatingLiteral(literal);
    if (!value || !std::isfinite(*value))
        return std::nullopt;
    return accountingNegative ? -*value : *value;
}

} // namespace CSVPorter
