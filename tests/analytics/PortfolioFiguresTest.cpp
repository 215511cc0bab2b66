// The figures computed from the entries: the summary and series, the years, the returns.
#include "analytics/EntryYears.h"
#include "analytics/MoneyWeightedReturn.h"
#include "analytics/PortfolioStats.h"
#include "analytics/ReturnMeasures.h"
#include "analytics/TSXModel.h"
#include "analytics/YearlyPortfolio.h"

#include "LocalSettings.h"

#include <unicode/simpletz.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <map>
#include <random>
#include <tuple>
#include <vector>

namespace {
using std::chrono::hours;
using std::chrono::minutes;
using std::chrono::seconds;

StatsInput entry(Instant date, double balance, double adjustment = 0) { return StatsInput{Uuid::random(), date, balance, adjustment}; }

// The ids of the days' representatives, in order.
template <typename Items>
std::vector<Uuid> ids(const Items& items)
{
    std::vector<Uuid> result;
    for (const auto& item : items)
        result.push_back(item.id);
    return result;
}
std::vector<Uuid> days(const std::vector<StatsInput>& inputs) { return ids(PortfolioStats::dailyCollapsed(inputs)); }
std::vector<double> figures(const PortfolioSummary& s) { return {s.startingBalance, s.currentValue, s.netCashFlows, s.investmentGain, s.gainPercent}; }

constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();

std::vector<double> figures(const std::vector<StatsInput>& entries, std::int64_t year)
{
    const auto f = YearlyPortfolio::figures(entries, year);
    return f ? std::vector{f->actualStart, f->actualEnd, f->netCashFlows} : std::vector<double>{};
}

constexpr double none = notANumber; // "no result" in the tables below
constexpr double infinity = std::numeric_limits<double>::infinity();

// `n` days after 1 January 2025, at `hour` local time.
Instant day(int n, int hour = 12) { return localTime(2025, 1, 1 + n, hour); }

ReturnFigures all(const std::vector<StatsInput>& inputs) { return ReturnMeasures::over(inputs, DateRange::all, day(1000)); }

// The period's figures against a row of expected values (NaN: no result, which is not a NaN):
// time-weighted, money-weighted for the period, Modified Dietz, maximum drawdown.
void expectFigures(const ReturnFigures& f, const std::array<double, 4>& expected, const char* name)
{
    const std::optional<double> actual[] = {f.timeWeighted, f.moneyWeightedForPeriod, f.modifiedDietz,
                                            f.maxDrawdown ? std::optional(f.maxDrawdown->depth) : std::nullopt};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        if (std::isnan(expected[i]))
            EXPECT_EQ(actual[i], std::nullopt) << name << ", figure " << i;
        else
            EXPECT_NEAR(actual[i].value_or(notANumber), expected[i], 1e-12) << name << ", figure " << i;
    }
}

// At noon local time.
StatsInput at(int year, int month, int day, double balance, double adjustment = 0) { return entry(localTime(year, month, day, 12), balance, adjustment); }
} // namespace

// The last entry of a day represents it; the first day's flows are inside the starting
// balance, every later adjustment counts in the cash flows; the gain is a share of start plus
// flows, or 0 where that is 0.
TEST(PortfolioStats, SummaryTakesTheFirstDaysFlowsAsPartOfTheStart)
{
    const std::vector inputs{entry(localTime(2025, 3, 6, 12), 400, 30), entry(localTime(2025, 3, 5, 17), 150, 100),
                             entry(localTime(2025, 3, 5, 9), 100, 100)};
    EXPECT_EQ(figures(PortfolioStats::summary(inputs)), std::vector<double>({150, 400, 30, 220, 220.0 / 180.0}));
    EXPECT_EQ(days(inputs), std::vector({inputs[1].id, inputs[0].id}));
    const Instant opened = localTime(2025, 1, 2);
    EXPECT_EQ(figures(PortfolioStats::summary(std::vector{entry(opened, 1000, 1000)})), std::vector<double>({1000, 1000, 0, 0, 0}));
    EXPECT_EQ(figures(PortfolioStats::summary(std::vector{entry(opened, 1000, 1000), entry(opened + hours(48), 1080)})),
              std::vector<double>({1000, 1080, 0, 80, 0.08}));
    const std::vector zeroDivisor{entry(localTime(2025, 1, 2), 500, 0), entry(localTime(2025, 2, 2), 900, -500)};
    EXPECT_EQ(figures(PortfolioStats::summary(zeroDivisor)), std::vector<double>({500, 900, -500, 900, 0}));
    EXPECT_EQ(figures(PortfolioStats::summary({})), std::vector<double>(5, 0));
    EXPECT_TRUE(PortfolioStats::series({}).empty());
}

// Days are local: the same instants (10:00 and 22:00 UTC) are one day in Toronto and Berlin,
// two in Tokyo. Undated entries (0001-01-01) form the first day everywhere; the extremes of
// the clock are days of their own.
TEST(PortfolioStats, DaysAreLocalCalendarDays)
{
    const Instant morningUtc = instantFromMilliseconds(1741168800000LL); // 2025-03-05 10:00 UTC
    const std::vector inputs{entry(morningUtc, 1), entry(morningUtc + hours(12), 2), entry(distantPast(), 3), entry(distantPast(), 4)};
    for (const auto& [zoneId, dayCount] : {std::pair{"America/Toronto", 2u}, std::pair{"Europe/Berlin", 2u}, std::pair{"Asia/Tokyo", 3u}}) {
        const ScopedZone zone(zoneId);
        const std::vector<Uuid> representatives = days(inputs);
        EXPECT_EQ(std::tuple(representatives.size(), representatives.front(), PortfolioStats::series(inputs).front().id),
                  std::tuple(dayCount, inputs[3].id, inputs[2].id)) << zoneId;
    }
    const std::vector extremes{entry(Instant::max(), 3), entry(Instant::min(), 1), entry(Instant{}, 2), entry(Instant::max(), 4)};
    EXPECT_EQ(days(extremes), std::vector({extremes[1].id, extremes[2].id, extremes[3].id}));
    EXPECT_EQ(ids(PortfolioStats::series(extremes)), std::vector({extremes[1].id, extremes[2].id, extremes[0].id, extremes[3].id}));
}

// When the clock goes back over midnight, the earlier day comes back after the next one has
// begun: it keeps its place and takes its later entry.
TEST(PortfolioStats, DayThatComesBackKeepsItsPlace)
{
    UErrorCode status = U_ZERO_ERROR; // summer time ends at 00:30 on the first Sunday of November
    const ScopedZone zone(new icu::SimpleTimeZone(-5 * 3600000, u"Test/BackOverMidnight", UCAL_MARCH, 8, -UCAL_SUNDAY, 2 * 3600000,
                                                  UCAL_NOVEMBER, 1, -UCAL_SUNDAY, 30 * 60000, 3600000, status),
                          "EST5EDT");
    const Instant change = instantFromMilliseconds(1730608200000LL); // 2024-11-03 04:30 UTC
    const std::vector inputs{entry(change - hours(1), 1), entry(change - seconds(60), 2), entry(change + seconds(60), 3),
                             entry(change + hours(12), 4)}; // Sat 23:30, Sun 00:29, Sat 23:31, Sun 11:30
    EXPECT_EQ(days(inputs), std::vector({inputs[2].id, inputs[3].id}));
    // The summary's first and last day are the same days, also when the list ends inside the
    // day that came back.
    EXPECT_EQ(figures(PortfolioStats::summary(inputs)), std::vector<double>({3, 4, 0, 1, 1.0 / 3}));
    EXPECT_EQ(figures(PortfolioStats::summary(std::vector(inputs.begin(), inputs.begin() + 3))), std::vector<double>({3, 2, 0, -1, -1.0 / 3}));
}

// Not-a-number (what overflowing sums end in) propagates where it is added.
TEST(PortfolioStats, MaxBalanceAndCashFlowTotals)
{
    const Instant day = localTime(2025, 3, 5);
    const std::vector inputs{entry(day, 5, 100), entry(day, 9, -40), entry(day, 9, 0), entry(day, 2, -10)};
    EXPECT_EQ(std::vector({PortfolioStats::maxBalance(inputs), PortfolioStats::totalDeposits(inputs), PortfolioStats::totalWithdrawals(inputs)}),
              std::vector<double>({9, 100, -50}));
    EXPECT_EQ(std::pair(PortfolioStats::maxBalance({}), PortfolioStats::maxBalance(std::vector{entry(day, -3), entry(day, -7)})), std::pair(0.0, -3.0));
    const std::vector withNaN{entry(day, 100, 50), entry(day + hours(48), 200, notANumber), entry(day + hours(72), 300, -20)};
    EXPECT_EQ(PortfolioStats::totalDeposits(withNaN) + PortfolioStats::totalWithdrawals(withNaN), 30);
    EXPECT_TRUE(std::isnan(PortfolioStats::summary(withNaN).gainPercent)); // a NaN divisor is not zero
    EXPECT_TRUE(std::isnan(PortfolioStats::series(withNaN).back().adjusted));
    EXPECT_TRUE(std::isnan(PortfolioStats::averageBalance(std::vector{entry(day, notANumber), entry(day, 5)}, 30, day)));
}

// Calendar days, inclusive, no upper bound: 30 days before 20 March noon in Toronto is
// 18 February noon, 30 days less one hour earlier because of the change to summer time.
TEST(PortfolioStats, AverageBalanceWindowInCalendarDays)
{
    for (const char* zoneId : {"America/Toronto", "Europe/Berlin", "Asia/Tokyo"}) {
        const ScopedZone zone(zoneId);
        const Instant now = localTime(2025, 3, 20, 12);
        const Instant cutoff = localTime(2025, 2, 18, 12);
        const std::vector inputs{entry(cutoff, 100), entry(cutoff - seconds(1), 1'000'000), entry(now + hours(24), 300), entry(now, 200)};
        const int windows[] = {30, 0, -2, std::numeric_limits<int>::min(), 30};
        using Average = std::optional<double>;
        // A window without entries has no average (the single-window form keeps its 0).
        EXPECT_EQ(PortfolioStats::averageBalances(inputs, windows, now), std::vector<Average>({200, 250, {}, {}, 200})) << zoneId;
        EXPECT_EQ(PortfolioStats::averageBalances({}, windows, now), std::vector<Average>(5)) << zoneId;
        EXPECT_EQ(PortfolioStats::averageBalance(inputs, -2, now), 0) << zoneId;
    }
    EXPECT_EQ(localTime(2025, 3, 20, 12) - localTime(2025, 2, 18, 12), hours(30 * 24 - 1));
}

// Random histories (fixed seeds; amounts exact in binary, so any order of addition agrees;
// many entries share a timestamp or a day): the summary matches a direct recomputation from
// calendar days, where of equal timestamps the later in the list counts and the first day's
// flows are left out, and the series is the
// list in date order, equal timestamps in list order, each point less the running sum of
// adjustments.
TEST(PortfolioStats, RandomHistoriesAgreeWithDirectRecomputation)
{
    const long long from = millisecondsOf(localTime(2015, 1, 1));
    for (unsigned seed = 1; seed <= 40; ++seed) {
        std::mt19937_64 random(seed);
        std::uniform_int_distribution<long long> offset(0, 3LL * 365 * 86'400'000);
        std::uniform_int_distribution<int> amount(-4000, 4000);
        std::vector<StatsInput> inputs;
        for (auto i = random() % (seed % 4 ? 60 : 1500); i > 0; --i) { // long lists take the radix sort
            const bool nearEarlier = !inputs.empty() && random() % 5 == 0; // shares a timestamp or a day
            const Instant date = nearEarlier            ? inputs[random() % inputs.size()].date + hours(random() % 3)
                                 : random() % 50 == 0 ? distantPast()
                                                      : instantFromMilliseconds(from + offset(random));
            inputs.push_back(entry(date, amount(random) * 0.25 + 1000, random() % 3 ? amount(random) * 0.5 : 0));
        }
        std::map<Instant, StatsInput> lastOfDay;
        CalendarDays calendar;
        for (const StatsInput& input : inputs) {
            auto [day, isNew] = lastOfDay.try_emplace(*calendar.startOfDay(input.date), input);
            if (input.date >= day->second.date)
                day->second = input;
        }
        double cashFlows = 0;
        for (const StatsInput& input : inputs)
            if (*calendar.startOfDay(input.date) != lastOfDay.begin()->first)
                cashFlows += input.adjustment;
        const double start = lastOfDay.empty() ? 0 : lastOfDay.begin()->second.balance;
        const double current = lastOfDay.empty() ? 0 : lastOfDay.rbegin()->second.balance;
        const PortfolioSummary s = PortfolioStats::summary(inputs);
        EXPECT_EQ(std::vector({s.startingBalance, s.currentValue, s.netCashFlows, s.investmentGain}),
                  std::vector({start, current, cashFlows, current - start - cashFlows}))
            << "seed " << seed;
        EXPECT_EQ(PortfolioStats::dailyCollapsed(inputs).size(), lastOfDay.size()) << "seed " << seed;

        const std::vector<BalancePoint> series = PortfolioStats::series(inputs);
        std::stable_sort(inputs.begin(), inputs.end(), [](const auto& a, const auto& b) { return a.date < b.date; });
        EXPECT_EQ(ids(series), ids(inputs)) << "seed " << seed;
        double runningFlows = 0;
        for (std::size_t i = 0; i < series.size(); ++i)
            EXPECT_EQ(series[i].adjusted, inputs[i].balance - (runningFlows += inputs[i].adjustment)) << "seed " << seed << ", point " << i;
    }
}

// The start is the last entry strictly before the year's first local midnight, else the
// year's first entry, whose own deposit is then inside the start and not a flow of the year.
// Local midnight on 1 January belongs to the new year, west and east of UTC alike. The list is
// out of order; equal timestamps go by list position.
TEST(YearlyPortfolio, FiguresOfAYear)
{
    for (const char* zoneId : {"America/Toronto", "Asia/Tokyo"}) {
        const ScopedZone zone(zoneId);
        const std::vector entries{
            entry(localTime(2024, 7, 1), 140, -20),      entry(localTime(2023, 6, 1), 90, 90),
            entry(localTime(2024, 12, 31, 23), 170, 10), entry(localTime(2023, 12, 31, 10), 100, 0),
            entry(localTime(2024, 3, 1), 150, 40),       entry(localTime(2025, 1, 1), 999, 5),
            entry(localTime(2024, 12, 31, 23), 180, 0),  entry(localTime(2026, 1, 1), 1000, 1000),
            entry(localTime(2026, 12, 31), 1100, 0),
        };
        // 2022 has entries only after it, 2028 only before it, 2027 none at all. 2023 opens with
        // its deposit; 2025 and 2026 open at midnight, so the year before's last entry is their
        // start and the midnight deposit a flow.
        const std::pair<int, std::vector<double>> years[] = {{2022, {}},
                                                             {2023, {90, 100, 0}},
                                                             {2024, {100, 180, 30}},
                                                             {2025, {180, 999, 5}},
                                                             {2026, {999, 1100, 1000}},
                                                             {2027, {}},
                                                             {2028, {}}};
        std::vector<std::pair<int, std::vector<double>>> listed;
        for (const CalendarYear& y : YearlyPortfolio::everyYear(entries))
            listed.emplace_back(int(y.year), std::vector{y.figures.actualStart, y.figures.actualEnd, y.figures.netCashFlows});
        std::vector<std::pair<int, std::vector<double>>> expectedListed;
        for (const auto& [year, expected] : years) {
            EXPECT_EQ(figures(entries, year), expected) << zoneId << ' ' << year;
            if (!expected.empty())
                expectedListed.emplace_back(year, expected);
        }
        EXPECT_EQ(listed, expectedListed) << zoneId;
        const std::vector openedMidYear{entry(localTime(2020, 6, 15), 10000, 10000), entry(localTime(2020, 12, 31), 10910)};
        EXPECT_EQ(figures(openedMidYear, 2020), std::vector<double>({10000, 10910, 0})) << zoneId;
    }
    EXPECT_EQ(figures({}, 2024), std::vector<double>{});
    EXPECT_FALSE(YearlyPortfolio::figures(std::vector{entry(localTime(2024, 1, 1), 1)}, 2'000'000'000)); // beyond the calendar
}

// Flows at the year's end, as the index adds them: a portfolio that did what the index did
// returns what the index returned.
TEST(YearlyPortfolio, ReturnTakesFlowsAtTheYearsEnd)
{
    const TSXYearInput year{0, 2024, std::nullopt, 0.10, 50000, 100000, 160000};
    EXPECT_NEAR(TSXModel::simulate(std::vector{year}).front().simulated, 160000, 1e-9);
    EXPECT_NEAR(*YearlyPortfolio::yearReturn(100000, 160000, 50000), 0.10, 1e-12);
    EXPECT_NEAR(*YearlyPortfolio::yearReturn(10000, 10910, 0), 0.091, 1e-12);
    for (const double start : {0.0, notANumber, infinity})
        EXPECT_EQ(YearlyPortfolio::yearReturn(start, 100, 0), std::nullopt) << start;
}

// Each year's time-weighted return chains from the last day before it; the first year, with
// none, from its own first day.
TEST(EntryYears, EveryYearWithItsTimeWeightedReturn)
{
    for (const char* zoneId : {"America/Toronto", "Asia/Tokyo"}) {
        const ScopedZone zone(zoneId);
        const std::vector entries{at(2023, 6, 1, 100, 100), at(2023, 12, 31, 110), at(2024, 6, 30, 130, 10), at(2024, 12, 31, 132),
                                  at(2025, 1, 1, 145.2)};
        std::vector<std::pair<std::int64_t, double>> returns;
        for (const EntryYear& year : EntryYears::of(entries))
            returns.emplace_back(year.year, year.timeWeightedReturn.value_or(notANumber));
        ASSERT_EQ(returns.size(), 3u) << zoneId;
        const std::pair<std::int64_t, double> expected[] = {{2023, 0.1}, {2024, 120 / 110.0 * 132 / 130.0 - 1}, {2025, 0.1}};
        for (std::size_t i = 0; i < returns.size(); ++i) {
            EXPECT_EQ(returns[i].first, expected[i].first) << zoneId;
            EXPECT_NEAR(returns[i].second, expected[i].second, 1e-12) << zoneId << ' ' << expected[i].first;
        }
    }
}

// Years are local: 2024-12-31 15:30 UTC is still 2024 in Toronto but already 2025 in Tokyo.
TEST(YearlyPortfolio, YearsAreLocal)
{
    const Instant instant = instantFromMilliseconds(1735659000000LL); // 2024-12-31 15:30 UTC
    const std::vector entries{entry(instant - std::chrono::hours(24 * 30), 10, 1), entry(instant, 20, 2)};
    EXPECT_EQ(std::pair(figures(entries, 2024), figures(entries, 2025)), std::pair(std::vector<double>({10, 20, 2}), std::vector<double>{}));
    const ScopedZone tokyo("Asia/Tokyo");
    EXPECT_EQ(std::pair(figures(entries, 2024), figures(entries, 2025)), std::pair(std::vector<double>({10, 10, 0}), std::vector<double>({10, 20, 2})));
}

// Where summer time begins at midnight on New Year's Day the year starts at 01:00; 23:30 on
// 31 December still belongs to the year before.
TEST(YearlyPortfolio, YearStartingAtAClockChange)
{
    UErrorCode status = U_ZERO_ERROR;
    const ScopedZone zone(new icu::SimpleTimeZone(-5 * 3600000, u"Test/NewYearShift", UCAL_JANUARY, 1, 0, 0, UCAL_JULY, 1, 0, 0, 3600000, status),
                          "EST5EDT");
    ASSERT_TRUE(U_SUCCESS(status));
    const Instant newYear = instantFromMilliseconds(1704085200000LL); // 2024-01-01 05:00 UTC, local 01:00
    const std::vector entries{entry(newYear - minutes(30), 100, 0), entry(newYear, 110, 10), entry(newYear + minutes(1), 120, 0)};
    EXPECT_EQ(std::pair(figures(entries, 2023), figures(entries, 2024)), std::pair(std::vector<double>({100, 100, 0}), std::vector<double>({100, 120, 10})));
}

// Deposits, a withdrawal, a fall and a recovery over 366 days (2024 is a leap year):
// sub-period growth 1.1, 1.0, 0.9, 1.2.
TEST(ReturnMeasures, HandComputedYear)
{
    const std::vector inputs{entry(localTime(2024, 1, 1), 1000, 1000), entry(localTime(2024, 4, 1), 1300, 200),
                             entry(localTime(2024, 7, 1), 1000, -300), entry(localTime(2024, 10, 1), 900),
                             entry(localTime(2025, 1, 1), 1080)};
    const ReturnFigures f = all(inputs);
    EXPECT_NEAR(*f.timeWeighted, 0.188, 1e-12);
    EXPECT_EQ(f.annualisedOverDays, 366);
    EXPECT_NEAR(*f.annualisedTimeWeighted, std::pow(1.188, 365.0 / 366) - 1, 1e-12);
    // Days 0, 91, 182, 274, 366: (1080 − 1000 − (−100)) ÷ (1000 + 200 × 275/366 − 300 × 184/366).
    EXPECT_NEAR(*f.modifiedDietz, 180 * 366 / 365800.0, 1e-12);
    // From 1.1 (first reached on 1 April) to 0.99, back above 1.1 on the last day, which is
    // therefore the last peak.
    ASSERT_TRUE(f.maxDrawdown && f.currentDrawdown);
    EXPECT_NEAR(f.maxDrawdown->depth, -0.1, 1e-12);
    EXPECT_EQ(std::tuple(f.maxDrawdown->peak, f.maxDrawdown->trough, f.maxDrawdown->recovery), std::tuple(inputs[1].date, inputs[3].date, std::optional(inputs[4].date)));
    EXPECT_EQ(std::pair(f.currentDrawdown->depth, f.currentDrawdown->peak), std::pair(0.0, inputs[4].date));
    const ReturnFigures fallen = all(std::vector(inputs.begin(), inputs.end() - 1));
    EXPECT_EQ(fallen.maxDrawdown->recovery, std::nullopt);
    EXPECT_NEAR(fallen.currentDrawdown->depth, -0.1, 1e-12);
    EXPECT_EQ(fallen.currentDrawdown->peak, inputs[2].date); // the last day at the peak's value
    // Over 365 days, so an annual rate: it discounts the flows to nothing.
    const double r = *f.moneyWeighted;
    const double presentValue = -1000 - 200 * std::pow(1 + r, -91 / 365.0) + 300 * std::pow(1 + r, -182 / 365.0) + 1080 * std::pow(1 + r, -366 / 365.0);
    EXPECT_NEAR(presentValue, 0, 1e-9);
    EXPECT_NEAR(*f.moneyWeightedForPeriod, std::pow(1 + r, 366 / 365.0) - 1, 1e-9);
}

// Reference figures, entered as entries (date, balance, adjustment), in a zone west and one
// east of UTC; 1 March to 1 April 2024 crosses the change to summer time in Toronto. A span
// of money shorter than 365 days has no per-year figure; a leading empty day does not
// lengthen the span the rate is taken over.
TEST(ReturnMeasures, PublishedVectors)
{
    using Figure = std::optional<double> ReturnFigures::*;
    struct Vector {
        const char* name;
        std::vector<StatsInput> entries;
        std::vector<std::pair<Figure, double>> expected; // NaN: no result
    };
    for (const char* zoneId : {"America/Toronto", "Asia/Tokyo"}) {
        const ScopedZone zone(zoneId);
        const Vector vectors[] = {
            {"Modified Dietz",
             {at(2025, 9, 30, 585.60), at(2025, 10, 5, 600, -15.05), at(2025, 10, 9, 610, 19.82), at(2025, 10, 15, 620, 16.42),
              at(2025, 10, 24, 590, -18.96), at(2025, 10, 31, 602.34)},
             {{&ReturnFigures::modifiedDietz, 0.024541775}}},
            {"Modified Dietz and XIRR", {at(2021, 1, 1, 100), at(2022, 1, 1, 200, 50), at(2023, 1, 1, 300)},
             {{&ReturnFigures::modifiedDietz, 1.2}, {&ReturnFigures::moneyWeighted, 0.5}, {&ReturnFigures::moneyWeightedForPeriod, 1.25}}},
            {"time-weighted over 91 days",
             {at(2024, 1, 1, 100), at(2024, 2, 1, 130, 20), at(2024, 3, 1, 106.5, -30), at(2024, 4, 1, 117.15)},
             {{&ReturnFigures::timeWeighted, 0.2705}, {&ReturnFigures::annualisedTimeWeighted, none}, {&ReturnFigures::moneyWeighted, none}}},
            {"XIRR after an empty start", {at(2020, 6, 12, 0), at(2021, 1, 15, 155, 155), at(2023, 6, 12, 190.06)},
             {{&ReturnFigures::moneyWeighted, 0.088468}, {&ReturnFigures::annualisedTimeWeighted, 0.088468}}},
        };
        for (const Vector& vector : vectors) {
            const ReturnFigures f = all(vector.entries);
            for (const auto& [figure, expected] : vector.expected) {
                if (std::isnan(expected))
                    EXPECT_EQ(f.*figure, std::nullopt) << vector.name << ' ' << zoneId;
                else
                    EXPECT_NEAR((f.*figure).value_or(notANumber), expected, 1e-6) << vector.name << ' ' << zoneId;
            }
        }
    }
}

TEST(ReturnMeasures, EdgeCases)
{
    // Per case: time-weighted, money-weighted for the period, Modified Dietz, drawdown; none
    // spans a year, so none has a per-year figure.
    const std::vector<std::tuple<const char*, std::vector<StatsInput>, std::array<double, 4>>> cases{
        {"one snapshot", {entry(day(0), 1000, 1000)}, {none, none, none, none}},
        {"one day", {entry(day(0, 9), 1000), entry(day(0, 17), 1100)}, {none, none, none, none}},
        {"flows on the first day are in the starting value",
         {entry(day(0, 9), 500, 500), entry(day(0, 17), 1000, 500), entry(day(30), 1100)},
         {0.1, 0.1, 0.1, 0}},
        {"flows of a day count whichever snapshot stands for it",
         {entry(day(0), 1000), entry(day(30, 9), 1600, 500), entry(day(30, 17), 2100, 500), entry(day(60), 2310)},
         {0.21, 0.21, 310 / 1500.0, 0}},
        {"zero start, first money as a flow", {entry(day(0), 0), entry(day(30), 1000, 1000), entry(day(60), 1100)}, {0.1, 0.1, 0.2, 0}},
        {"negative start", {entry(day(0), -500), entry(day(30), 100)}, {none, none, none, none}},
        {"zero start, gain on nothing", {entry(day(0), 0), entry(day(30), 100)}, {none, none, none, none}},
        {"emptied, then refilled",
         {entry(day(0), 1000), entry(day(30), 0, -1100), entry(day(60), 500, 500), entry(day(90), 550)},
         {0.21, std::pow(1.1, 3) - 1, 150 / (1000 - 1100 * 60 / 90.0 + 500 * 30 / 90.0), 0}},
        {"everything lost", {entry(day(0), 1000), entry(day(30), 0)}, {-1, -1, -1, -1}},
        {"not-a-number balance", {entry(day(0), 1000), entry(day(30), notANumber), entry(day(60), 1100)}, {none, none, none, none}},
        {"not-a-number adjustment of a replaced snapshot",
         {entry(day(0), 1000), entry(day(30, 9), 1000, notANumber), entry(day(30, 17), 1100)},
         {none, none, none, none}},
    };
    for (const auto& [name, inputs, expected] : cases) {
        const ReturnFigures f = all(inputs);
        expectFigures(f, expected, name);
        EXPECT_EQ(std::pair(f.annualisedTimeWeighted, f.moneyWeighted), std::pair(std::optional<double>(), std::optional<double>())) << name;
    }
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
