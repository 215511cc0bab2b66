#include "services/PortfolioFigures.h"

#include "model/ObjectContext.h"
#include "model/StatsConversions.h"

namespace PortfolioFigures {
namespace {
Result<std::vector<StatsInput>> entryInputs(ObjectContext& context)
{
    auto entries = context.fetchBalanceEntries(BalanceEntry::Date, SortDirection::Ascending);
    if (!entries)
        return entries.error();
    return statsInputs(entries.value());
}
} // namespace

PortfolioStatistics statistics(std::span<const StatsInput> inputs, Instant now, DateRange returnsWindow)
{
    using namespace PortfolioStats;
    return {
        .maxBalance = maxBalance(inputs),
        .averageBalance1Month = averageBalance(inputs, oneMonthDays, now),
        .averageBalance3Months = averageBalance(inputs, threeMonthsDays, now),
        .averageBalance6Months = averageBalance(inputs, sixMonthsDays, now),
        .averageBalance1Year = averageBalance(inputs, oneYearDays, now),
        .totalDeposits = totalDeposits(inputs),
        .totalWithdrawals = totalWithdrawals(inputs),
        .summary = PortfolioStats::summary(inputs),
        .returnsWindow = returnsWindow,
        .returns = ReturnMeasures::over(inputs, returnsWindow, now),
    };
}

YearlyComparison comparison(std::span<const TSXYearInput> years, const PortfolioSummary& portfolio)
{
    return {TSXModel::simulate(years), TSXModel::comparison(years, portfolio)};
}

Result<PortfolioSummary> summary(ObjectContext& context)
{
    auto inputs = entryInputs(context);
    if (!inputs)
        return inputs.error();
    return PortfolioStats::summary(inputs.value());
}

Result<PortfolioStatistics> statistics(ObjectContext& context, Instant now, DateRange returnsWindow)
{
    auto inputs = entryInputs(context);
    if (!inputs)
        return inputs.error();
    return statistics(inputs.value(), now, returnsWindow);
}

Result<YearlyComparison> comparison(ObjectContext& context)
{
    auto portfolio = summary(context);
    if (!portfolio)
        return portfolio.error();
    auto years = context.fetchTSXYears(TSXYear::SortOrder, SortDirection::Ascending);
    if (!years)
        return years.error();
    return comparison(inputs(years.value()), portfolio.value());
}

} // namespace PortfolioFigures
