#pragma once

#include "analytics/DateRange.h"
#include "analytics/Instant.h"

#include <optional>
#include <string>

// The stretch of the history the return measures cover: the balance chart's window counted
// back from now, the year to date, or any period.
struct ReturnWindow {
    std::string label;            // "1M" … "All", "YTD", or "Custom"
    std::optional<Instant> from;  // inclusive; none: from the first snapshot
    std::optional<Instant> until; // exclusive; none: up to the last snapshot

    static ReturnWindow of(DateRange range, Instant now);
    // From the start of 1 January of `now`'s local year (Gregorian).
    static ReturnWindow yearToDate(Instant now);
    static ReturnWindow between(std::optional<Instant> from, std::optional<Instant> until);

    bool contains(Instant date) const { return (!from || date >= *from) && (!until || date < *until); }
};
