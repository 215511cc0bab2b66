#pragma once

#include <optional>
#include <string_view>

// Amounts written with a decimal comma ("1.234,56", "9,99"). The file format reads a comma as
// a thousands separator; files from much of Europe mean it as the decimal separator, which
// the import offers when the amounts look that way (never on its own).
namespace CSVPorter {

// What one amount field says about its decimal separator.
enum class AmountHint {
    Neither,      // no separator, or only groups of three ("1,234", "1.234")
    DecimalComma, // "9,99", "1.234,5", "1.234.567"
    DecimalPoint, // "12.50", "1,234.56"
};
AmountHint amountHint(std::string_view field);

// The amount read with "," as the decimal separator and "." grouping: "1.234,56" is 1234.56.
// Otherwise as parseNumber ("$", spaces, "(…)").
std::optional<double> parseDecimalCommaNumber(std::string_view field);

} // namespace CSVPorter
