#pragma once

#include "analytics/Instant.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace CSVPorter {

// The shortest decimal text that reads back to the same double: fixed notation for
// magnitudes from 1e-4 up to 2^53 (integral values end in ".0"), exponent form outside
// (1e+16, 5e-324). Not-finite values are written nan, inf, -inf.
std::string numberText(double value);
// The same text written at `out` (room for maxNumberText characters); returns its end.
char* writeNumber(char* out, double value);
inline constexpr std::size_t maxNumberText = 32;

// The UTC calendar day of `instant` as yyyy-MM-dd (Gregorian calendar, en_US_POSIX).
std::string exportDay(Instant instant);
// The same text written at `out` (room for maxDayText characters); returns its end.
char* writeExportDay(char* out, Instant instant);
inline constexpr std::size_t maxDayText = 32;
// The export formatter itself (UTC, Gregorian, en_US_POSIX, yyyy-MM-dd); exportDay computes
// the days from 1583 to 9999 directly, giving the same text.
std::string exportDayWithFormatter(Instant instant);

// The note as written in field 5: formula protection, then quoting.
std::string noteField(std::string_view note);

// Characters that make a spreadsheet read a cell as a formula when they come first.
inline constexpr std::string_view formulaTriggers = "=+-@\t\r";

} // namespace CSVPorter
