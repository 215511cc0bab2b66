#include "analytics/TSXModel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

namespace {
TSXYearInput year(std::int64_t sortOrder, double start, double tsxReturn, double cashFlows)
{
    TSXYearInput input;
    input.sortOrder = sortOrder;
    input.year = 2000 + sortOrder;
    input.actualStart = start;
    input.tsxReturn = tsxReturn;
    input.netCashFlows = cashFlows;
    return input;
}

std::vector<double> simulated(const std::vector<TSXRow>& rows)
{
    std::vector<double> values;
    for (const TSXRow& row : rows)
        values.push_back(row.simulated);
    return values;
}
} // namespace

TEST(TSXModel, NoYearsNoComparison)
{
    EXPECT_TRUE(TSXModel::simulate({}).empty());
    EXPECT_FALSE(TSXModel::comparison({}, PortfolioSummary{1, 2, 3, 4, 5}));
}

TEST(TSXModel, OneYear)
{
    const std::vector years{year(0, 100000, 0.10, 5000)};
    const double end = 100000 * (1 + 0.10) + 5000; // 115,000 up to rounding
    EXPECT_EQ(simulated(TSXModel::simulate(years)), (std::vector<double>{end}));
    const auto comparison = TSXModel::comparison(years, PortfolioSummary{});
    ASSERT_TRUE(comparison);
    EXPECT_EQ(comparison->tsxStartingBalance, 100000);
    EXPECT_EQ(comparison->tsxNetCashFlows, 5000);
    EXPECT_EQ(comparison->tsxCurrentValue, end);
    EXPECT_EQ(comparison->tsxInvestmentGain, end - 100000 - 5000);
    EXPECT_EQ(comparison->tsxGainPercent, (end - 100000 - 5000) / 105000);
    EXPECT_NEAR(comparison->tsxGainPercent, 10000.0 / 105000.0, 1e-12);
}

// Only the first year's start enters the chain; cash flows arrive after the year's return.
TEST(TSXModel, ChainIgnoresLaterActualStarts)
{
    std::vector years{year(0, 100000, 0.10, 0), year(1, 777, -0.05, 1000)};
    const std::vector<double> expected{100000 * 1.10, 100000 * 1.10 * 0.95 + 1000};
    EXPECT_EQ(simulated(TSXModel::simulate(years)), expected);
    years[1].actualStart = 5;
    EXPECT_EQ(simulated(TSXModel::simulate(years)), expected);
    EXPECT_NEAR(expected[1], 105500, 1e-9);
}

TEST(TSXModel, SortedBySortOrderStably)
{
    std::vector years{year(2, 0, 0, 3), year(0, 100, 0, 1), year(1, 0, 0, 2), year(1, 0, 0, 20)};
    years[2].label = "first one";
    const std::vector<TSXRow> rows = TSXModel::simulate(years);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].input.sortOrder, 0);
    EXPECT_EQ(rows[1].input.label, "first one");
    EXPECT_EQ(rows[2].input.netCashFlows, 20);
    EXPECT_EQ(simulated(rows), (std::vector<double>{101, 103, 123, 126}));
    EXPECT_EQ(TSXModel::comparison(years, {})->tsxStartingBalance, 100);
    EXPECT_NE(rows[0].id, TSXModel::simulate(years)[0].id);
    EXPECT_EQ(TSXModel::simulate(std::vector{year(-5, 1, 0, 0), year(3, 2, 0, 0)})[0].input.sortOrder, -5);
}

TEST(TSXModel, GainPercentDivisorRules)
{
    EXPECT_EQ(TSXModel::comparison(std::vector{year(0, 0, 0.5, 0)}, {})->tsxGainPercent, 0);
    EXPECT_EQ(TSXModel::comparison(std::vector{year(0, 100, 0.5, -50), year(1, 0, 0, -50)}, {})->tsxGainPercent, 0);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_TRUE(std::isnan(TSXModel::comparison(std::vector{year(0, 100, 0.5, nan)}, {})->tsxGainPercent));
    // A total loss leaves only the year's cash flow.
    EXPECT_EQ(TSXModel::simulate(std::vector{year(0, 100000, -1, 2500)})[0].simulated, 2500);
}

TEST(TSXModel, PortfolioFiguresCopiedBitForBit)
{
    const PortfolioSummary summary{-0.0, 1e-310, std::numeric_limits<double>::quiet_NaN(), 3.25, -7};
    const auto comparison = TSXModel::comparison(std::vector{year(0, 1, 0, 0)}, summary);
    ASSERT_TRUE(comparison);
    const double copied[] = {comparison->portfolioStartingBalance, comparison->portfolioNetCashFlows, comparison->portfolioCurrentValue,
                             comparison->portfolioInvestmentGain, comparison->portfolioGainPercent};
    const double given[] = {summary.startingBalance, summary.netCashFlows, summary.currentValue, summary.investmentGain, summary.gainPercent};
    EXPECT_EQ(std::memcmp(copied, given, sizeof copied), 0);
    const auto zeros = TSXModel::comparison(std::vector{year(0, 1, 0, 0)}, PortfolioSummary{});
    EXPECT_EQ(zeros->portfolioGainPercent, 0);
    EXPECT_EQ(zeros->portfolioStartingBalance, 0);
}
