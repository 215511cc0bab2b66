#pragma once

#include "analytics/Instant.h"
#include "analytics/StatsInput.h"
#include "analytics/Uuid.h"

#include <optional>
#include <span>
#include <vector>

// One point of the charted series.
struct BalancePoint {
    Uuid id;          // the StatsInput's id
    Instant date;     // unchanged, not rounded to the day
    double balance = 0;
    double adjusted = 0; // balance minus the running sum of adjustments up to and including this point
};

// The whole history: its first day's balance against its last, with the flows in between.
struct PortfolioSummary {
    double startingBalance = 0;
    double netCashFlows = 0; // the flows after the first day: that day's are inside the start
    double currentValue = 0;
    double investmentGain = 0;
    double gainPercent = 0; // a fraction: 0.05 is five per cent
};

// The figures that are one sum or extreme over every snapshot, as their own functions give them.
struct PortfolioTotals {
    double maxBalance = 0;
    double totalDeposits = 0;
    double totalWithdrawals = 0;
};

// The statistics: pure functions of their arguments. Calendar days are those of the local
// calendar and time zone, read at each call.
namespace PortfolioStats {
std::vector<StatsInput> dailyCollapsed(std::span<const StatsInput> inputs);
// Where dailyCollapsed's snapshots stand in `inputs`, days ascending.
std::vector<std::size_t> dailyPositions(std::span<const StatsInput> inputs);
// The same, for a caller that already has the start of each snapshot's local day (in list
// order, as DayStart gives them).
std::vector<std::size_t> dailyPositions(std::span<const StatsInput> inputs, std::span<const Instant> dayStarts);
std::vector<BalancePoint> series(std::span<const StatsInput> inputs);
// Brings `points` to series(inputs) after a change that left the first `unchanged` snapshots
// as they were, with `flows` (the running sums of the adjustments, kept alongside): only the
// points from there on are computed again. Inputs out of date order are computed whole.
void updateSeries(std::span<const StatsInput> inputs, std::size_t unchanged, std::vector<BalancePoint>& points, std::vector<double>& flows);
double maxBalance(std::span<const StatsInput> inputs);
double averageBalance(std::span<const StatsInput> inputs, int sinceDays, Instant now);
// averageBalance for each of `sinceDays` in one pass over the snapshots, in that order;
// nothing for a window that holds no snapshot (an empty window has no average, not $0).
std::vector<std::optional<double>> averageBalances(std::span<const StatsInput> inputs, std::span<const int> sinceDays, Instant now);
double totalDeposits(std::span<const StatsInput> inputs);
double totalWithdrawals(std::span<const StatsInput> inputs);
// The three above in one pass.
PortfolioTotals totals(std::span<const StatsInput> inputs);
PortfolioSummary summary(std::span<const StatsInput> inputs);
} // namespace PortfolioStats
