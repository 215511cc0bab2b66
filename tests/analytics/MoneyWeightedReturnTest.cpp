#include "analytics/MoneyWeightedReturn.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {
constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();
constexpr double infinity = std::numeric_limits<double>::infinity();
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
