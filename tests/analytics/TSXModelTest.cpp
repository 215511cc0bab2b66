#include "analytics/TSXModel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {
TSXYearInput year(std::int64_t sortOrder, double start, double tsxReturn, double cashFlows)
{
    return TSXYearInput{sortOrder, 2000 + sortOrder, std::nullopt, tsxReturn, cashFlows, start, 0};
}

std::vector<double> simulated(const std::vector<TSXYearInput>& years)
{
    std::vector<double> values;
    for (const TSXRow& row : TSXModel::simulate(years))
        values.push_back(row.simulated);
    return values;
}

// The index side of the comparison: start, cash flows, value, gain, gain percent.
std::vector<double> indexFigures(const std::vector<TSXYearInput>& years)
{
    const auto c = TSXModel::comparison(years, PortfolioSummary{});
    return c ? std::vector{c->tsxStartingBalance, c->tsxNetCashFlows, c->tsxCurrentValue, c->tsxInvestmentGain, c->tsxGainPercent} : std::vector<double>{};
}
} // namespace

// Only the first year's start enters the chain; a cash flow arrives after its year's return;
// a total loss leaves only the cash flow. The gain is a share of start plus flows, or 0 where
// that is 0.
TEST(TSXModel, ChainFromTheFirstStart)
{
    EXPECT_TRUE(TSXModel::simulate({}).empty());
    EXPECT_TRUE(indexFigures({}).empty());
    const std::vector years{year(0, 100000, 0.10, 0), year(1, 777, -0.05, 1000)};
    EXPECT_EQ(simulated(years), std::vector({100000 * 1.10, 100000 * 1.10 * 0.95 + 1000}));
    EXPECT_EQ(simulated({year(0, 100000, -1, 2500)}), std::vector({2500.0}));

    const double end = 100000 * (1 + 0.10) + 5000; // 115,000 up to rounding
    const std::vector<double> figures = indexFigures({year(0, 100000, 0.10, 5000)});
    EXPECT_EQ(std::vector(figures.begin(), figures.begin() + 4), std::vector({100000.0, 5000.0, end, end - 100000 - 5000}));
    EXPECT_NEAR(figures[4], 10000.0 / 105000.0, 1e-12);
    EXPECT_EQ(indexFigures({year(0, 0, 0.5, 0)})[4], 0);
    EXPECT_EQ(indexFigures({year(0, 100, 0.5, -50), year(1, 0, 0, -50)})[4], 0);
    EXPECT_TRUE(std::isnan(indexFigures({year(0, 100, 0.5, std::numeric_limits<double>::quiet_NaN())})[4]));
}

TEST(TSXModel, SortedBySortOrderStably)
{
    std::vector years{year(2, 0, 0, 3), year(0, 100, 0, 1), year(1, 0, 0, 2), year(1, 0, 0, 20), year(-1, 7, 0, 0)};
    years[2].label = "first of two";
    const std::vector<TSXRow> rows = TSXModel::simulate(years);
    EXPECT_EQ(rows[2].input.label, "first of two");
    EXPECT_EQ(simulated(years), std::vector<double>({7, 8, 10, 30, 33}));
    EXPECT_EQ(indexFigures(years)[0], 7);
    EXPECT_NE(rows[0].id, TSXModel::simulate(years)[0].id);
}
