#pragma once

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
// {"window" ("1M" ... "All"), "timeWeightedReturn", "moneyWeightedReturn",
//  "modifiedDietzReturn", "annualisedTimeWeightedReturn", "maxDrawdown" (fractions, null where
//  a measure has no result), "maxDrawdownPeak", "maxDrawdownTrough" (dates)}
QJsonObject returns(DateRange window, const ReturnFigures& figures);
// The seven portfolio figures by their member names, "summary", and "returns" (over
// `returnsWindow`).
QJsonObject statistics(const PortfolioStatistics& statistics);
// {"rows": [{"year": <year object>, "simulated"}], "comparison": {ten figures} or null}
QJsonObject comparison(const YearlyComparison& comparison);

} // namespace JsonEncoding
