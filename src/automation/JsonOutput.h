#pragma once

#include "automation/BalanceEntryEntity.h"
#include "services/PortfolioFigures.h"

#include <QJsonArray>
#include <QJsonObject>

#include <vector>

// The command line's JSON documents: the shared encodings (ISO 8601 UTC dates, upper-case ids,
// null for what is missing or not finite) with the command line's own additions.
namespace JsonOutput {
// The entry's attributes, then "title" and "subtitle" (null without a note).
QJsonObject entity(const BalanceEntryEntity& entity);
QJsonArray entities(const std::vector<BalanceEntryEntity>& entities);
// The five summary figures and "dialog", the text `summary` prints.
QJsonObject summary(const PortfolioSummary& summary, const QString& dialog);
// The statistics, flat: maximumBalance, averageBalance30Days .. averageBalance365Days,
// totalDeposits, totalWithdrawals, the five summary figures, and the returns with their
// "window" as the shared encoding has them.
QJsonObject statistics(const PortfolioStatistics& statistics);
// {"rows": [{"year", "simulated"}], "comparison"}, as the shared encoding has it.
QJsonObject comparison(const YearlyComparison& comparison);

// Writes one UTF-8 document and a line break to standard output; 0, or 1 when it could not
// be written.
int print(const QJsonObject& document);
int print(const QJsonArray& document);
} // namespace JsonOutput
