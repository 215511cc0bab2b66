#include "analytics/TSXModel.h"

#include <algorithm>

namespace {
// Simulation order: ascending sortOrder, equal ones in the order given.
std::vector<TSXYearInput> simulationOrder(std::span<const TSXYearInput> years)
{
    std::vector<TSXYearInput> sorted(years.begin(), years.end());
    std::stable_sort(sorted.begin(), sorted.end(), [](const TSXYearInput& a, const TSXYearInput& b) { return a.sortOrder < b.sortOrder; });
    return sorted;
}

// Only the first year's actual start enters the chain; each year's cash flow arrives at its
// end, after that year's return.
std::vector<TSXRow> simulateSorted(const std::vector<TSXYearInput>& sorted)
{
    std::vector<TSXRow> rows;
    rows.reserve(sorted.size());
    for (const TSXYearInput& year : sorted) {
        const double previous = rows.empty() ? year.actualStart : rows.back().simulated;
        rows.push_back(TSXRow{Uuid::random(), year, previous * (1 + year.tsxReturn) + year.netCashFlows});
    }
    return rows;
}
} // namespace

namespace TSXModel {
std::vector<TSXRow> simulate(std::span<const TSXYearInput> years) { return simulateSorted(simulationOrder(years)); }

std::optional<TSXComparison> comparison(std::span<const TSXYearInput> years, const PortfolioSummary& portfolio)
{
    const std::vector<TSXYearInput> sorted = simulationOrder(years);
    if (sorted.empty())
        return std::nullopt;
    const std::vector<TSXRow> rows = simulateSorted(sorted);
    TSXComparison result;
    result.tsxStartingBalance = sorted.front().actualStart;
    for (const TSXYearInput& year : sorted)
        result.tsxNetCashFlows += year.netCashFlows;
    result.tsxCurrentValue = rows.empty() ? 0 : rows.back().simulated;
    result.tsxInvestmentGain = result.tsxCurrentValue - result.tsxStartingBalance - result.tsxNetCashFlows;
    const double divisor = result.tsxStartingBalance + result.tsxNetCashFlows;
    result.tsxGainPercent = divisor == 0 ? 0 : result.tsxInvestmentGain / divisor;
    result.portfolioStartingBalance = portfolio.startingBalance;
    result.portfolioNetCashFlows = portfolio.netCashFlows;
    result.portfolioCurrentValue = portfolio.currentValue;
    result.portfolioInvestmentGain = portfolio.investmentGain;
    result.portfolioGainPercent = portfolio.gainPercent;
    return result;
}
} // namespace TSXModel
