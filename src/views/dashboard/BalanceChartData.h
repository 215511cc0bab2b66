#pragma once

#include "analytics/DateRange.h"
#include "analytics/Instant.h"
#include "analytics/PortfolioStats.h"

#include <span>
#include <vector>

// What the balance chart draws, given the whole series. Days are calendar days of the local
// calendar and time zone, read at each call.
namespace BalanceChartData {
// The points dated on or after the window's start (counted back from `now`), reduced to one
// point per day. The window is applied first; `adjusted` is never recomputed, so inside a
// window the investment-only values still remove every cash flow since the first entry.
std::vector<BalancePoint> filtered(std::span<const BalancePoint> points, DateRange range, Instant now);

// One point per day, ascending: the latest point of each day; among equal timestamps the one
// that stood later in the list. Each representative keeps its own id, date and values.
std::vector<BalancePoint> collapseByDay(std::vector<BalancePoint> points);
} // namespace BalanceChartData
