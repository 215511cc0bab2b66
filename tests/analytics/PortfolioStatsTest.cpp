#include "analytics/PortfolioStats.h"

#include "LocalSettings.h"

#include <unicode/simpletz.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <random>
#include <vector>

namespace {
using std::chrono::hours;
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
} // namespace

// The last entry of a day represents it, yet every adjustment counts in the cash flows; the
// gain is a share of start plus flows, or 0 where that is 0.
TEST(PortfolioStats, SummaryUsesDailyRepresentativesAndAllCashFlows)
{
    const std::vector inputs{entry(localTime(2025, 3, 6, 12), 400, 0), entry(localTime(2025, 3, 5, 17), 150, 100),
                             entry(localTime(2025, 3, 5, 9), 100, 100)};
    EXPECT_EQ(figures(PortfolioStats::summary(inputs)), std::vector<double>({150, 400, 200, 50, 50.0 / 350.0}));
    EXPECT_EQ(days(inputs), std::vector({inputs[1].id, inputs[0].id}));
    EXPECT_EQ(figures(PortfolioStats::summary(std::vector{entry(localTime(2025, 1, 2), 1000, 1000)})), std::vector<double>({1000, 1000, 1000, -1000, -0.5}));
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
        EXPECT_EQ(PortfolioStats::averageBalances(inputs, windows, now), std::vector<double>({200, 250, 0, 0, 200})) << zoneId;
        EXPECT_EQ(PortfolioStats::averageBalances({}, windows, now), std::vector<double>(5, 0)) << zoneId;
    }
    EXPECT_EQ(localTime(2025, 3, 20, 12) - localTime(2025, 2, 18, 12), hours(30 * 24 - 1));
}

// Random histories (fixed seeds; amounts exact in binary, so any order of addition agrees;
// many entries share a timestamp or a day): the summary matches a direct recomputation from
// calendar days, where of equal timestamps the later in the list counts, and the series is the
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
        double cashFlows = 0;
        for (const StatsInput& input : inputs) {
            auto [day, isNew] = lastOfDay.try_emplace(*calendar.startOfDay(input.date), input);
            if (input.date >= day->second.date)
                day->second = input;
            cashFlows += input.adjustment;
        }
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
