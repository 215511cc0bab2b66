#pragma once

#include "analytics/DateRange.h"
#include "analytics/Instant.h"
#include "analytics/PortfolioStats.h"
#include "analytics/ReturnMeasures.h"
#include "analytics/ReturnWindow.h"
#include "analytics/TSXModel.h"
#include "model/Result.h"

#include <optional>
#include <span>
#include <vector>

class ObjectContext;

// Every figure of the application as plain numbers, for the panels, the command line and
// D-Bus alike. The functions over a context fetch all entries (by date) or all yearly rows
// (by sort order) and compute; a failing fetch is the error. Main thread of the context only.

// The dashboard's statistics: the seven portfolio figures and the five of the summary over all
// entries, and the return measures over the chart's window (or any other). An average over a
// trailing window without entries is nothing.
struct PortfolioStatistics {
    double maxBalance = 0;
    std::optional<double> averageBalance1Month;
    std::optional<double> averageBalance3Months;
    std::optional<double> averageBalance6Months;
    std::optional<double> averageBalance1Year;
    double totalDeposits = 0;
    double totalWithdrawals = 0;
    PortfolioSummary summary;
    ReturnWindow returnsWindow = ReturnWindow::of(DateRange::all, {});
    ReturnFigures returns;
};

// The yearly rows with their index-equivalent balances, and the comparison over all years
// with the summary of all entries (none without years).
struct YearlyComparison {
    std::vector<TSXRow> rows;
    std::optional<TSXComparison> comparison;
};

namespace PortfolioFigures {

// The trailing windows of the average balances, in calendar days: 1, 3, 6 and 12 months.
inline constexpr int oneMonthDays = 30;
inline constexpr int threeMonthsDays = 91;
inline constexpr int sixMonthsDays = 182;
inline constexpr int oneYearDays = 365;

PortfolioStatistics statistics(std::span<const StatsInput> inputs, Instant now, const ReturnWindow& returnsWindow);
PortfolioStatistics statistics(std::span<const StatsInput> inputs, Instant now, DateRange returnsWindow = DateRange::all);
YearlyComparison comparison(std::span<const TSXYearInput> years, const PortfolioSummary& portfolio);

Result<PortfolioSummary> summary(ObjectContext& context);
Result<PortfolioStatistics> statistics(ObjectContext& context, Instant now, DateRange returnsWindow = DateRange::all);
Result<YearlyComparison> comparison(ObjectContext& context);

} // namespace PortfolioFigures
