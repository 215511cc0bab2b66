#pragma once

#include "analytics/EntryYears.h"
#include "services/PortfolioFigures.h"

#include <QString>

// The dashboard's statistics and the index comparison as plain text for a terminal, with the
// window's labels and texts: one "label<TAB>value" line per figure under each section title.
namespace FigureTables {
QString statistics(const PortfolioStatistics& statistics);
// The yearly rows (display name, return, cash flows, start, end, simulated index balance, the
// year's own return),
// then the comparison; without years, "Add yearly data to see the comparison."
QString comparison(const YearlyComparison& comparison);
// What the entries say of each calendar year: start, end, net cash flows, time-weighted return.
QString entryYears(const std::vector<EntryYear>& years);
} // namespace FigureTables
