#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace CSVPorter {

// A calendar day and wall-clock time read from one of the canonical spellings below.
struct CivilDateTime {
    int year = 0;
    int month = 0; // 1 to 12
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    bool hasTime = false;
    // The import pattern (index into importDatePatterns) that reads this spelling.
    std::size_t pattern = 0;
};

// Recognises, in already trimmed ASCII text, only spellings whose reading by the import
// formatter chain is known: a four-digit year from 1600 to 9999 (clear of the Julian
// calendar ICU's Gregorian calendar uses before 1582), a real day of that month, and
//   yyyy-MM-dd, yyyy/MM/dd, M/d/yyyy or MM/dd/yyyy (one or two digits), yyyy-MM-ddTHH:mm:ss,
//   "Jun 4, 2026" / "June 4, 2026" and "4 Jun 2026" / "4 June 2026" (English month names,
//   any letter case, one or two day digits, single spaces).
// Anything else gives nothing and is left to the formatters.
std::optional<CivilDateTime> canonicalDate(std::string_view text);

} // namespace CSVPorter
