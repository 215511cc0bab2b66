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
    return statistics(inputs, now, ReturnWindow::of(returnsWindow, now));
}

PortfolioStatistics statistics(std::span<const StatsInput> inputs, Instant now, const ReturnWindow& returnsWindow)
{
    using namespace PortfolioStats;
    constexpr int windows[] = {oneMonthDays, threeMonthsDays, sixMonthsDays, oneYearDays};
    const std::vector<std::optional<double>> averages = averageBalances(inputs, windows, now);
    const PortfolioTotals sums = totals(inputs);
    return {
        .maxBalance = sums.maxBalance,
        .averageBalance1Month = averages[0],
        .averageBalance3Months = averages[1],
        .averageBalance6Months = averages[2],
        .averageBalance1Year = averages[3],
        .totalDeposits = sums.totalDeposits,
        .totalWithdrawals = sums.totalWithdrawals,
        .summary = PortfolioStats::summary(inputs),
        .returnsWindow = returnsWindow,
        .returns = ReturnMeasures::over(inputs, returnsWindow),
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
