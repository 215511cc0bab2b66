#pragma once

#include "analytics/Instant.h"

#include <unicode/smpdtfmt.h>
#include <unicode/timezone.h>

#include <array>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

namespace CSVPorter {

// The import date patterns, tried in this order; the first that reads the whole text wins.
// Numeric slash forms are month first (06/04/2026 is 4 June 2026).
inline constexpr std::array<std::string_view, 8> importDatePatterns = {
    "yyyy-MM-dd", "yyyy/MM/dd", "MM/dd/yyyy", "M/d/yyyy",
    "yyyy-MM-dd'T'HH:mm:ss", "MMM d, yyyy", "d MMM yyyy", "MMMM d, yyyy",
};

// The eight formatters of importDatePatterns: Gregorian calendar, locale en_US_POSIX,
// strict (non-lenient) parsing, in `zone`.
std::vector<std::unique_ptr<icu::SimpleDateFormat>> importDateFormatters(const icu::TimeZone& zone);

// Reads import dates in one time zone.
//
// The reference is the formatter chain: trim, then try the eight formatters in order, each
// having to consume the whole text. On top of it, canonical spellings of the common forms
// (2026-06-04, 2026/06/04, 6/4/2026, 2026-06-04T09:30:00, Jun 4, 2026, 4 June 2026, …) are
// read directly, giving exactly the instants the chain gives (checked by a differential test
// and fuzz target); everything else goes to the chain.
//
// One departure from a strict formatter: a day whose midnight does not exist in the zone
// (a daylight-saving change at midnight, as in Havana or Santiago) would be refused by it.
// Such a day reads as its first moment (01:00) instead of making the row unreadable. A time
// of day that does not exist (2026-03-08T02:30:00 in Toronto) is still refused.
//
// Not thread-safe: one reader per thread (parseDate keeps one per thread).
class ImportDateReader {
public:
    explicit ImportDateReader(const icu::TimeZone& zone);
    ~ImportDateReader();
    ImportDateReader(const ImportDateReader&) = delete;
    ImportDateReader& operator=(const ImportDateReader&) = delete;

    // The field trimmed, then the fast forms, then the chain.
    std::optional<Instant> read(std::string_view field);
    // The same, with the index in importDatePatterns of the pattern that read it.
    struct Reading {
        Instant instant;
        std::size_t pattern;
    };
    std::optional<Reading> readNamingPattern(std::string_view field);
    // The chain alone on an already trimmed text (the reference for the fast forms).
    std::optional<Instant> readWithFormatters(std::string_view text);

private:
    struct State;
    std::unique_ptr<State> state_;
};

// This thread's reader in importTimeZone() (what parseDate uses).
ImportDateReader& threadImportDateReader();

// The zone the import formatters use: the system's time zone when it was first asked for.
const icu::TimeZone& importTimeZone();

} // namespace CSVPorter
