#pragma once

#include "analytics/Instant.h"
#include "model/Result.h"

#include <QString>

// How every face (the form, the editors, the add dialog, D-Bus) reads what a person typed or
// pasted: a value, or a short reason in words that a field can show under itself. Amounts
// follow ICU's default locale (taken from LANG/LC_ALL at start-up); days are always
// yyyy-MM-dd. No widgets; safe on any thread.
namespace TypedInput {

// An amount as written on a statement or by Corvanta itself. A "." decimal point always
// works; the locale's own decimal separator and grouping work when the text can be read only
// one way. Also: "-", "+" or U+2212 before the number, or parentheses around it, for a
// negative; "$" or the locale's currency symbol before or after it; a space or no-break space
// where the locale groups with one; an exponent ("1e3") when nothing is grouped. Refused,
// with the reason: empty text, malformed grouping ("1,23"), anything else ("abc", "nan",
// "inf"), a value too large for a double ("1e400"), and, where the locale groups with ".",
// one "." followed by exactly three digits ("1.234"), which could mean either.
Result<double> amount(const QString& text);
// The same, with empty (or blank) text read as 0: adjustment and transfers.
Result<double> optionalAmount(const QString& text);
// A return as a fraction: "21.5%" (or "21.5 %") is 0.215, and so is "0.215". Empty is 0.
Result<double> fraction(const QString& text);
// What a field shows next to a fraction it read: "= 21.5 %".
QString percentShown(double fraction);

// The message for an amount that cannot be read, with an example in the locale's own
// writing: "Enter a number such as -1000 or 1,250.50" (en_US).
QString amountExample();

// Whether `text` is empty or only blanks (space separators and tabs; line breaks are not).
bool isBlank(const QString& text);

// Local midnight of a yyyy-MM-dd day (blanks around it ignored), or the date hint.
Result<Instant> day(const QString& text);
// Whether the date hint shows: a day text that is not blank and not readable.
bool showsDayHint(const QString& text);
// "Use YYYY-MM-DD format (e.g. 2026-06-04)."
QString dayHint();

} // namespace TypedInput
