#include "csv/DecimalComma.h"
#include "analytics/AsciiDigits.h"
#include "csv/CSVPorter.h"
#include "csv/FieldText.h"

#include <algorithm>
#include <string>

namespace CSVPorter {
namespace {

using AsciiDigits::digitsFrom;
using AsciiDigits::isDigit;

} // namespace

AmountHint amountHint(std::string_view field)
{
    const std::string_view text = trimmed(field);
    const std::size_t comma = text.rfind(',');
    const std::size_t point = text.rfind('.');
    if (comma != std::string_view::npos) {
        if (point != std::string_view::npos)
            return point < comma ? AmountHint::DecimalComma : AmountHint::DecimalPoint;
        const std::size_t digits = digitsFrom(text, comma + 1);
        const bool digitsEnd = comma + 1 + digits == text.size() || text[comma + 1 + digits] == ')';
        return digitsEnd && (digits == 1 || digits == 2) ? AmountHint::DecimalComma : AmountHint::Neither;
    }
    if (point == std::string_view::npos)
        return AmountHint::Neither;
    if (text.find('.') != point)
        return AmountHint::DecimalComma; // "1.234.567": groups
    if (text.find_first_of("eE") != std::string_view::npos)
        return AmountHint::DecimalPoint; // "1.5e3"
    return digitsFrom(text, point + 1) == 3 ? AmountHint::Neither : AmountHint::DecimalPoint;
}

std::optional<double> parseDecimalCommaNumber(std::string_view field)
{
    std::string text;
    text.reserve(field.size());
    for (const char c : field) {
        if (c == '.')
            continue;
        text.push_back(c == ',' ? '.' : c);
    }
    // A second comma would have been dropped as a group separator by parseNumber: refuse it.
    if (std::count(text.begin(), text.end(), '.') > 1)
        return std::nullopt;
    return parseNumber(text);
}

} // namespace CSVPorter
