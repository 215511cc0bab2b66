#include "analytics/MoneyWeightedReturn.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace {
constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();
constexpr double infinity = std::numeric_limits<double>::infinity();

// The flows' present value at the first day, relative to the size of its terms.
double relativePresentValue(const std::vector<DatedAmount>& flows, double annualRate)
{
    double sum = 0;
    double size = 0;
    for (const DatedAmount& flow : flows) {
        const double term = flow.amount * std::pow(1 + annualRate, -static_cast<double>(flow.day - flows.front().day) / 365);
        sum += term;
        size += std::abs(term);
    }
    return sum / size;
}
} // namespace

// The reference example: 2008-01-01, 2008-03-01, 2008-10-30, 2009-02-15, 2009-04-01; then
// 10 % over 30 days, and a rate far from any guess (a million-fold in a year).
TEST(MoneyWeightedReturn, KnownRates)
{
    EXPECT_NEAR(*MoneyWeightedReturn::xirr(std::vector<DatedAmount>{{0, -10000}, {60, 2750}, {303, 4250}, {411, 3250}, {456, 2750}}),
                0.373362535, 1e-6);
    const std::vector<DatedAmount> month{{30, 1100}, {0, -1000}};
    EXPECT_NEAR(*MoneyWeightedReturn::overSpan(month), 0.1, 1e-12);
    EXPECT_NEAR(*MoneyWeightedReturn::xirr(month), std::pow(1.1, 365.0 / 30) - 1, 1e-9);
    EXPECT_NEAR(*MoneyWeightedReturn::xirr(std::vector<DatedAmount>{{0, -1}, {365, 1e6}}), 999999, 1e-6);
}

TEST(MoneyWeightedReturn, NoSingleRateGivesNothing)
{
    const std::vector<std::pair<const char*, std::vector<DatedAmount>>> cases{
        {"no flows", {}},
        {"one flow", {{0, -100}}},
        {"all on one day", {{5, -100}, {5, 110}}},
        {"only received", {{0, 100}, {30, 10}}},
        {"only zeros", {{0, 0}, {30, 0}}},
        {"not a number", {{0, -100}, {30, notANumber}, {60, 110}}},
        {"infinite", {{0, -infinity}, {30, 110}}},
        {"two rates, 10 % and 20 %", {{0, -100}, {365, 230}, {730, -132}}},
    };
    for (const auto& [name, flows] : cases) {
        EXPECT_EQ(MoneyWeightedReturn::xirr(flows), std::nullopt) << name;
        EXPECT_EQ(MoneyWeightedReturn::overSpan(flows), std::nullopt) << name;
    }
    // Money paid in and nothing back is everything lost.
    const std::vector<DatedAmount> lost{{0, -100}, {30, -50}, {60, 0}};
    EXPECT_EQ(MoneyWeightedReturn::xirr(lost), -1);
    EXPECT_EQ(MoneyWeightedReturn::overSpan(lost), -1);
}

// Deposits and withdrawals in random order around a final value: whatever rate comes back
// makes the present value vanish.
TEST(MoneyWeightedReturn, RateSolvesRandomFlows)
{
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> amount(-5000, 3000);
    std::uniform_int_distribution<long long> step(1, 90);
    int solved = 0;
    for (int trial = 0; trial < 300; ++trial) {
        std::vector<DatedAmount> flows{{0, -10000}};
        for (int i = 0; i < 20; ++i)
            flows.push_back({flows.back().day + step(random), amount(random)});
        flows.push_back({flows.back().day + step(random), std::uniform_real_distribution<double>(0, 80000)(random)});
        const std::optional<double> rate = MoneyWeightedReturn::xirr(flows);
        if (!rate)
            continue;
        ++solved;
        EXPECT_NEAR(relativePresentValue(flows, *rate), 0, 1e-9) << "trial " << trial << " rate " << *rate;
    }
    EXPECT_GT(solved, 290);
}
