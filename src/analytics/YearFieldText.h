#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The yearly editor's fields as text and back. Reading never fails: whatever is not a complete
// number reads as 0 (the editor has no error messages). Texts are UTF-8; surrounding blanks
// (Unicode space separators and tabs, not line breaks) are ignored.
namespace YearFieldText {
// Plain decimal digits with a minus sign when negative; empty for 0.
std::string yearText(std::int32_t year);
// An optional sign and ASCII digits only, within 32 bits; anything else is 0.
std::int32_t readYear(std::string_view text);

// The shortest decimal text that reads back as exactly `value` ("0.215", "12.0", "1e+20");
// empty for 0 (either sign).
std::string decimalText(double value);
// An optional sign, digits with an optional point and fraction, an optional exponent; no
// grouping, currency or percent signs, no hexadecimal or spelled-out infinity. A value that
// is not finite (1e999) is 0 too.
double readDecimal(std::string_view text);
} // namespace YearFieldText
