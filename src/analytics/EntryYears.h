#pragma once

#include "analytics/StatsInput.h"
#include "analytics/YearlyPortfolio.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// One calendar year as the entries tell it: what "Fill from Entries" proposes for it, and
// its time-weighted return.
struct EntryYear {
    std::int64_t year = 0;
    YearFigures figures;
    // Chain-linked over the year's days, starting from the last day before the year (the
    // year's first day when there is none, that day's flows then inside the start).
    std::optional<double> timeWeightedReturn;
};

namespace EntryYears {
// Every local calendar year that holds entries, ascending.
std::vector<EntryYear> of(std::span<const StatsInput> entries);
} // namespace EntryYears
