#include "analytics/MoneyWeightedReturn.h"
#include "analytics/ReturnMeasures.h"

#include "LocalSettings.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <tuple>
#include <vector>

namespace {
constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();
constexpr double none = notANumber; // "no result" in the tables below
constexpr double infinity = std::numeric_limits<double>::infinity();

StatsInput entry(Instant date, double balance, double adjustment = 0) { return StatsInput{Uuid::random(), date, balance, adjustment}; }
// `n` days after 1 January 2025, at `hour` local time.
Instant day(int n, int hour = 12) { return localTime(2025, 1, 1 + n, hour); }

ReturnFigures all(const std::vector<StatsInput>& inputs) { return ReturnMeasures::over(inputs, DateRange::all, day(1000)); }

// The five figures against a row of expected values (NaN: no result, which is not a NaN).
void expectFigures(const ReturnFigures& f, const std::array<double, 5>& expected, const char* name)
{
    const std::optional<double> actual[] = {f.timeWeighted, f.moneyWeighted, f.modifiedDietz, f.annualisedTimeWeighted,
                                            f.maxDrawdown ? std::optional(f.maxDrawdown->depth) : std::nullopt};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        if (std::isnan(expected[i]))
            EXPECT_EQ(actual[i], std::nullopt) << name << ", figure " << i;
        else
            EXPECT_NEAR(actual[i].value_or(notANumber), expected[i], 1e-12) << name << ", figure " << i;
    }
}
} // namespace

// Deposits, a withdrawal, a fall and a recovery over 366 days (2024 is a leap year):
// sub-period growth 1.1, 1.0, 0.9, 1.2.
TEST(ReturnMeasures, HandComputedYear)
{
    const std::vector inputs{entry(localTime(2024, 1, 1), 1000, 1000), entry(localTime(2024, 4, 1), 1300, 200),
                             entry(localTime(2024, 7, 1), 1000, -300), entry(localTime(2024, 10, 1), 900),
                             entry(localTime(2025, 1, 1), 1080)};
    const ReturnFigures f = all(inputs);
    EXPECT_NEAR(*f.timeWeighted, 0.188, 1e-12);
    EXPECT_NEAR(*f.annualisedTimeWeighted, std::pow(1.188, 365.0 / 366) - 1, 1e-12);
    // Days 0, 91, 182, 274, 366: (1080 − 1000 − (−100)) ÷ (1000 + 200 × 275/366 − 300 × 184/366).
    EXPECT_NEAR(*f.modifiedDietz, 180 * 366 / 365800.0, 1e-12);
    ASSERT_TRUE(f.maxDrawdown); // from 1.1 (first reached on 1 April) to 0.99
    EXPECT_NEAR(f.maxDrawdown->depth, -0.1, 1e-12);
    EXPECT_EQ(std::pair(f.maxDrawdown->peak, f.maxDrawdown->trough), std::pair(inputs[1].date, inputs[3].date));
    // Over 365 days, so an annual rate: it discounts the flows to nothing.
    const double r = *f.moneyWeighted;
    const double presentValue = -1000 - 200 * std::pow(1 + r, -91 / 365.0) + 300 * std::pow(1 + r, -182 / 365.0) + 1080 * std::pow(1 + r, -366 / 365.0);
    EXPECT_NEAR(presentValue, 0, 1e-9);
}

TEST(ReturnMeasures, EdgeCases)
{
    // Per case: time-weighted, money-weighted, Modified Dietz, annualised, drawdown.
    const std::vector<std::tuple<const char*, std::vector<StatsInput>, std::array<double, 5>>> cases{
        {"one snapshot", {entry(day(0), 1000, 1000)}, {none, none, none, none, none}},
        {"one day", {entry(day(0, 9), 1000), entry(day(0, 17), 1100)}, {none, none, none, none, none}},
        {"flows on the first day are in the starting value",
         {entry(day(0, 9), 500, 500), entry(day(0, 17), 1000, 500), entry(day(30), 1100)},
         {0.1, 0.1, 0.1, 0.1, 0}},
        {"flows of a day count whichever snapshot stands for it",
         {entry(day(0), 1000), entry(day(30, 9), 1600, 500), entry(day(30, 17), 2100, 500), entry(day(60), 2310)},
         {0.21, 0.21, 310 / 1500.0, 0.21, 0}},
        {"zero start, first money as a flow", {entry(day(0), 0), entry(day(30), 1000, 1000), entry(day(60), 1100)}, {0.1, 0.21, 0.2, 0.1, 0}},
        {"negative start", {entry(day(0), -500), entry(day(30), 100)}, {none, none, none, none, none}},
        {"zero start, gain on nothing", {entry(day(0), 0), entry(day(30), 100)}, {none, none, none, none, none}},
        {"emptied, then refilled",
         {entry(day(0), 1000), entry(day(30), 0, -1100), entry(day(60), 500, 500), entry(day(90), 550)},
         {0.21, std::pow(1.1, 3) - 1, 150 / (1000 - 1100 * 60 / 90.0 + 500 * 30 / 90.0), 0.21, 0}},
        {"everything lost", {entry(day(0), 1000), entry(day(30), 0)}, {-1, -1, -1, -1, -1}},
        {"not-a-number balance", {entry(day(0), 1000), entry(day(30), notANumber), entry(day(60), 1100)}, {none, none, none, none, none}},
        {"not-a-number adjustment of a replaced snapshot",
         {entry(day(0), 1000), entry(day(30, 9), 1000, notANumber), entry(day(30, 17), 1100)},
         {none, none, none, none, none}},
    };
    for (const auto& [name, inputs, expected] : cases)
        expectFigures(all(inputs), expected, name);
}

// The window is the chart's: from the first snapshot on or after its start. That day's flow
// is part of the starting value.
TEST(ReturnMeasures, WindowStartsAtItsFirstSnapshot)
{
    const std::vector inputs{entry(localTime(2023, 6, 1), 1000, 1000), entry(localTime(2024, 3, 1, 12), 1200),
                             entry(localTime(2024, 3, 20), 1300, 100), entry(localTime(2024, 6, 1), 1320)};
    const Instant now = localTime(2024, 6, 1, 13); // "3M" starts on 1 March at 13:00
    EXPECT_NEAR(*ReturnMeasures::over(inputs, DateRange::month3, now).timeWeighted, 1320 / 1300.0 - 1, 1e-12);
    EXPECT_NEAR(*ReturnMeasures::over(inputs, DateRange::all, now).timeWeighted, 1.2 * 1320 / 1300.0 - 1, 1e-12);
    EXPECT_EQ(ReturnMeasures::over(inputs, DateRange::month1, now).timeWeighted, std::nullopt); // one snapshot
}

// The reference rate through the snapshots: withdrawals on 2008-03-01, 2008-10-30 and
// 2009-02-15, the rest received on 2009-04-01. Entries just after and just before local
// midnight keep their local days in a zone west of UTC with summer time, east of UTC, and east
// with summer time in the other half of the year.
TEST(ReturnMeasures, KnownRateInLocalDays)
{
    for (const char* zoneId : {"America/Toronto", "Asia/Tokyo", "Australia/Sydney", "UTC"}) {
        const ScopedZone zone(zoneId);
        const std::vector inputs{entry(localTime(2008, 1, 1, 0, 30), 10000, 10000), entry(localTime(2008, 3, 1, 23, 30), 8000, -2750),
                                 entry(localTime(2008, 10, 30, 0, 30), 4000, -4250), entry(localTime(2009, 2, 15, 23, 30), 3500, -3250),
                                 entry(localTime(2009, 4, 1, 0, 30), 2750)};
        std::vector<long long> days;
        for (const ReturnDay& d : ReturnDays::of(inputs, std::nullopt))
            days.push_back(d.day);
        EXPECT_EQ(days, std::vector<long long>({0, 60, 303, 411, 456})) << zoneId;
        EXPECT_NEAR(*ReturnMeasures::over(inputs, DateRange::all, localTime(2009, 4, 2)).moneyWeighted, 0.373362535, 1e-6) << zoneId;
    }
}

// A rate far from any guess (a million-fold in a year), and a month's 10 % per year and over
// its own span.
TEST(MoneyWeightedReturn, KnownRates)
{
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
    for (const auto& [name, flows] : cases)
        EXPECT_EQ(std::pair(MoneyWeightedReturn::xirr(flows), MoneyWeightedReturn::overSpan(flows)), std::pair(std::optional<double>(), std::optional<double>())) << name;
    // Money paid in and nothing back is everything lost.
    const std::vector<DatedAmount> lost{{0, -100}, {30, -50}, {60, 0}};
    EXPECT_EQ(std::pair(MoneyWeightedReturn::xirr(lost), MoneyWeightedReturn::overSpan(lost)), std::pair(std::optional(-1.0), std::optional(-1.0)));
}
