#include "csv/CSVPorter.h"
#include "csv/FieldText.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <clocale>
#include <cmath>
#include <cstdlib>
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

// The same reading as strtod for decimal literals, much faster; anything it does not read
// cleanly (hexadecimal forms, a leading "+", out-of-range exponents) goes to strtod.
std::optional<double> readFloatingLiteral(std::string_view text)
{
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

    // Most amounts hold none of the ignored characters and are read in place.
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
