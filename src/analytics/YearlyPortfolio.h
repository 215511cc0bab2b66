#pragma once

#include "analytics/Instant.h"
#include "analytics/StatsInput.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// The portfolio's own figures for one calendar year, as the yearly comparison rows hold them.
// A flow recorded with a snapshot is inside that snapshot's balance, so the entry whose
// balance is the start brings no flow of its own into the year.
struct YearFigures {
    double actualStart = 0;  // balance of the last entry strictly before the year's first local
                             // midnight, else of the year's first entry
    double actualEnd = 0;    // balance of the year's last entry
    double netCashFlows = 0; // adjustments of the year's entries, in date order, less the first
                             // entry's own when that entry is the start
};

// One calendar year that holds entries, where it lies on the time line, and its figures.
struct CalendarYear {
    std::int64_t year = 0;
    Instant firstDay; // start of 1 January, local
    Instant nextYear; // start of 1 January of the following year
    YearFigures figures;
};

namespace YearlyPortfolio {
// The figures of Gregorian year `year` in the local time zone (read at each call), from
// entries in any order (equal dates by list position); nothing when no entry is dated inside
// the year, or when the year lies beyond the calendar's range.
std::optional<YearFigures> figures(std::span<const StatsInput> entries, std::int64_t year);

// Every year that holds entries, ascending, each with the figures `figures` gives it.
// Entries beyond the calendar's range belong to no year.
std::vector<CalendarYear> everyYear(std::span<const StatsInput> entries);

// The year's return with its flows at the year's end, as the index simulation adds them:
// (end − flows − start) ÷ start; nothing when the start is 0 or not finite.
std::optional<double> yearReturn(double actualStart, double actualEnd, double netCashFlows);
} // namespace YearlyPortfolio
