#pragma once

#include "analytics/EntryYears.h"
#include "services/PortfolioFigures.h"

#include <QJsonArray>
#include <QJsonObject>

#include <memory>
#include <vector>

class BalanceEntry;
class TSXYear;

// Entities and figures as JSON for the command line and D-Bus. Dates are ISO 8601 text in UTC
// ("2026-06-04T04:00:00Z", with milliseconds only when there are some), ids upper-case UUID
// text; a missing value and a number that is not finite are null.
namespace JsonEncoding {

// {"id", "date", "balance", "adjustment", "transfers", "note"}
QJsonObject entry(const BalanceEntry& entry);
QJsonArray entries(const std::vector<std::shared_ptr<BalanceEntry>>& entries);
// {"id", "year", "label", "tsxReturn", "actualStart", "actualEnd", "netCashFlows", "sortOrder"}
QJsonObject year(const TSXYear& year);
QJsonArray years(const std::vector<std::shared_ptr<TSXYear>>& years);
// {"startingBalance", "netCashFlows", "currentValue", "investmentGain", "gainPercent"}
QJsonObject summary(const PortfolioSummary& summary);
// {"window" ("1M" ... "All", "YTD", "Custom"), "periodStart", "periodEnd" (the window's
//  first and last snapshot days), "annualisedOverDays", "timeWeightedReturn" and
//  "modifiedDietzReturn" (for the period), "annualisedTimeWeightedReturn" and
//  "moneyWeightedReturn" (per year, null under 365 days), "moneyWeightedReturnForPeriod",
//  "maxDrawdown", "maxDrawdownPeak", "maxDrawdownTrough", "maxDrawdownRecovery" (null: not yet
//  recovered), "currentDrawdown", "currentDrawdownPeak"; fractions, null where a measure has
//  no result}
QJsonObject returns(const ReturnWindow& window, const ReturnFigures& figures);
// The statistics in one flat object: maximumBalance, averageBalance30Days ..
// averageBalance365Days (null for a window without entries), totalDeposits, totalWithdrawals,
// the five summary figures, and the returns over `returnsWindow` with their "window".
QJsonObject statistics(const PortfolioStatistics& statistics);
// {"rows": [{"year": <year object>, "simulated", "yourReturn"}], "comparison": {ten figures}
// or null}; "yourReturn" is null where the table shows "—".
QJsonObject comparison(const YearlyComparison& comparison);
// [{"year", "actualStart", "actualEnd", "netCashFlows", "timeWeightedReturn"}], one per
// calendar year that holds entries.
QJsonArray entryYears(const std::vector<EntryYear>& years);

} // namespace JsonEncoding
