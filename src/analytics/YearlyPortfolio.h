#pragma once

#include "analytics/StatsInput.h"

#include <cstdint>
#include <optional>
#include <span>

// The portfolio's own figures for one calendar year, as the yearly comparison rows hold them.
struct YearFigures {
    double actualStart = 0;  // balance of the last entry on or before the year's first day,
                             // else of the year's first entry
    double actualEnd = 0;    // balance of the year's last entry
    double netCashFlows = 0; // adjustments dated inside the year, summed in list order
};

namespace YearlyPortfolio {
// The figures of Gregorian year `year` in the local time zone (read at each call), from
// entries in any order (equal dates by list position); nothing when no entry is dated inside
// the year, or when the year lies beyond the calendar's range.
std::optional<YearFigures> figures(std::span<const StatsInput> entries, std::int64_t year);

// (end - start - flows) / (start + flows); nothing when that divisor compares equal to zero
// (a NaN divisor gives a NaN, as the index comparison's own rule does).
std::optional<double> yearReturn(double actualStart, double actualEnd, double netCashFlows);
} // namespace YearlyPortfolio
