#pragma once

#include "analytics/Instant.h"
#include "analytics/StatsInput.h"

#include <optional>
#include <span>
#include <vector>

// One local calendar day of a window, as the return measures read it. The flows recorded on
// a day are part of that day's balance: the balance is the value after them.
struct ReturnDay {
    Instant date;       // the day's last snapshot (see PortfolioStats::dailyCollapsed)
    long long day = 0;  // whole local calendar days since the window's first day
    double balance = 0; // the day's last balance
    double flow = 0;    // every adjustment of the day, summed in list order
};

namespace ReturnDays {
// The snapshots dated on or after `from` and before `until` (either bound open when absent),
// one per local day in ascending order. Days are those of the local calendar and time zone,
// read at each call; a day lasting 23 or 25 hours still counts as one.
std::vector<ReturnDay> of(std::span<const StatsInput> inputs, std::optional<Instant> from, std::optional<Instant> until = std::nullopt);
} // namespace ReturnDays
