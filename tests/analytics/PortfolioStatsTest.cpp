#include "analytics/PortfolioStats.h"

#include "LocalSettings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <random>
#include <vector>

namespace {
using std::chrono::hours;
using std::chrono::milliseconds;
using std::chrono::seconds;

StatsInput entry(Instant date, double balance, double adjustment = 0) { return StatsInput{Uuid::random(), date, balance, adjustment}; }

std::vector<Uuid> idsOf(const std::vector<StatsInput>& inputs)
{
    std::vector<Uuid> ids;
    for (const StatsInput& input : inputs)
        ids.push_back(input.id);
    return ids;
}

constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();
} // namespace

TEST(PortfolioStats, EmptyListGivesEmptyResultsAndZeros)
{
    EXPECT_TRUE(PortfolioStats::dailyCollapsed({}).empty());
    EXPECT_TRUE(PortfolioStats::series({}).empty());
    EXPECT_EQ(PortfolioStats::maxBalance({}), 0);
    EXPECT_EQ(PortfolioStats::averageBalance({}, 30, localTime(2025, 3, 5)), 0);
    EXPECT_EQ(PortfolioStats::totalDeposits({}), 0);
    EXPECT_EQ(PortfolioStats::totalWithdrawals({}), 0);
    const PortfolioSummary summary = PortfolioStats::summary({});
    for (double field : {summary.startingBalance, summary.netCashFlows, summary.currentValue, summary.investmentGain, summary.gainPercent})
        EXPECT_EQ(field, 0);
}

// The last entry of a day represents it; every adjustment counts in the cash flows.
TEST(PortfolioStats, SummaryUsesDailyRepresentativesAndAllCashFlows)
{
    const std::vector<StatsInput> inputs{
        entry(localTime(2025, 3, 6, 12), 400, 0),
        entry(localTime(2025, 3, 5, 17), 150, 100),
        entry(localTime(2025, 3, 5, 9), 100, 100),
    };
    const PortfolioSummary summary = PortfolioStats::summary(inputs);
    EXPECT_EQ(summary.startingBalance, 150);
    EXPECT_EQ(summary.currentValue, 400);
    EXPECT_EQ(summary.netCashFlows, 200);
    EXPECT_EQ(summary.investmentGain, 50);
    EXPECT_DOUBLE_EQ(summary.gainPercent, 50.0 / 350.0);
    EXPECT_EQ(idsOf(PortfolioStats::dailyCollapsed(inputs)), (std::vector<Uuid>{inputs[1].id, inputs[0].id}));
}

TEST(PortfolioStats, SummaryGainAndZeroDivisor)
{
    const PortfolioSummary single = PortfolioStats::summary(std::vector{entry(localTime(2025, 1, 2), 1000, 1000)});
    EXPECT_EQ(single.startingBalance, 1000);
    EXPECT_EQ(single.currentValue, 1000);
    EXPECT_EQ(single.netCashFlows, 1000);
    EXPECT_EQ(single.investmentGain, -1000);
    EXPECT_EQ(single.gainPercent, -0.5);

    const PortfolioSummary zeroDivisor =
        PortfolioStats::summary(std::vector{entry(localTime(2025, 1, 2), 500, 0), entry(localTime(2025, 2, 2), 900, -500)});
    EXPECT_EQ(zeroDivisor.investmentGain, 900);
    EXPECT_EQ(zeroDivisor.gainPercent, 0);
}

// Equal timestamps are ordered by list position: the later one represents the day, and the
// series shows both in list order.
TEST(PortfolioStats, EqualTimestampsFollowListOrder)
{
    const Instant noon = localTime(2025, 3, 5, 12);
    const std::vector<StatsInput> inputs{entry(noon, 10, 1), entry(noon, 20, 2), entry(noon - hours(1), 5, 4)};
    EXPECT_EQ(idsOf(PortfolioStats::dailyCollapsed(inputs)), (std::vector<Uuid>{inputs[1].id}));
    const std::vector<BalancePoint> series = PortfolioStats::series(inputs);
    ASSERT_EQ(series.size(), 3u);
    EXPECT_EQ(series[0].id, inputs[2].id);
    EXPECT_EQ(series[1].id, inputs[0].id);
    EXPECT_EQ(series[2].id, inputs[1].id);
    EXPECT_EQ(series[0].adjusted, 1);  // 5 - 4
    EXPECT_EQ(series[1].adjusted, 5);  // 10 - 5
    EXPECT_EQ(series[2].adjusted, 13); // 20 - 7
    EXPECT_EQ(series[1].date, noon);
}

TEST(PortfolioStats, SeriesRemovesRunningCashFlows)
{
    const std::vector<BalancePoint> single = PortfolioStats::series(std::vector{entry(localTime(2025, 1, 2), 1000, 1000)});
    ASSERT_EQ(single.size(), 1u);
    EXPECT_EQ(single[0].adjusted, 0);
}

// Days are local days: the same two instants are one day in one zone and two in another.
TEST(PortfolioStats, DaysAreLocalCalendarDays)
{
    const Instant utcMorning = instantFromMilliseconds(1741168800000LL); // 2025-03-05 10:00 UTC
    const std::vector<StatsInput> inputs{entry(utcMorning, 1), entry(utcMorning + hours(12), 2)};
    {
        const ScopedZone zone("America/Toronto"); // 05:00 and 17:00 on 5 March
        EXPECT_EQ(PortfolioStats::dailyCollapsed(inputs).size(), 1u);
    }
    {
        const ScopedZone zone("Asia/Tokyo"); // 19:00 on 5 March and 07:00 on 6 March
        EXPECT_EQ(PortfolioStats::dailyCollapsed(inputs).size(), 2u);
    }
    {
        const ScopedZone zone("Europe/Berlin"); // 11:00 and 23:00 on 5 March
        EXPECT_EQ(PortfolioStats::dailyCollapsed(inputs).size(), 1u);
    }
}

// Entries without a date sit at 0001-01-01 and form the first day.
TEST(PortfolioStats, UndatedEntriesFormTheFirstDay)
{
    const std::vector<StatsInput> inputs{entry(localTime(2025, 3, 5), 300), entry(distantPast(), 100), entry(distantPast(), 200)};
    for (const char* zoneId : {"America/Toronto", "Asia/Tokyo"}) {
        const ScopedZone zone(zoneId);
        EXPECT_EQ(idsOf(PortfolioStats::dailyCollapsed(inputs)), (std::vector<Uuid>{inputs[2].id, inputs[0].id})) << zoneId;
        EXPECT_EQ(PortfolioStats::summary(inputs).startingBalance, 200);
        EXPECT_EQ(PortfolioStats::series(inputs).front().id, inputs[1].id);
    }
}

// Where a clock change skips midnight (Sao Paulo, 4 Nov 2018) or repeats an hour after it
// (Havana, 5 Nov 2023), the day is still one day.
TEST(PortfolioStats, DaysAcrossMidnightClockChanges)
{
    {
        const ScopedZone zone("America/Sao_Paulo");
        const Instant switchInstant = instantFromMilliseconds(1541300400000LL); // 03:00 UTC, 01:00 local
        const std::vector<StatsInput> inputs{entry(switchInstant - milliseconds(1), 1), entry(switchInstant, 2), entry(switchInstant + hours(22), 3)};
        EXPECT_EQ(idsOf(PortfolioStats::dailyCollapsed(inputs)), (std::vector<Uuid>{inputs[0].id, inputs[2].id}));
    }
    {
        const ScopedZone zone("America/Havana");
        const Instant firstHalfPastMidnight = instantFromMilliseconds(1699158600000LL); // 04:30 UTC, 00:30 CDT
        const std::vector<StatsInput> inputs{entry(firstHalfPastMidnight, 1), entry(firstHalfPastMidnight + hours(1), 2)};
        EXPECT_EQ(idsOf(PortfolioStats::dailyCollapsed(inputs)), (std::vector<Uuid>{inputs[1].id}));
    }
}

// When the clock goes back over midnight, a day comes back after the next one has begun; it
// keeps its first place and takes its later entry as representative.
TEST(PortfolioStats, DayThatComesBackKeepsItsPlace)
{
    // Daylight time ends at 00:30 on the first Sunday of November, back to 23:30 Saturday.
    UErrorCode status = U_ZERO_ERROR;
    auto* zone = new icu::SimpleTimeZone(-5 * 3600000, u"Test/BackOverMidnight", UCAL_MARCH, 8, -UCAL_SUNDAY, 2 * 3600000,
                                         UCAL_NOVEMBER, 1, -UCAL_SUNDAY, 30 * 60000, 3600000, status);
    ASSERT_TRUE(U_SUCCESS(status));
    std::unique_ptr<icu::TimeZone> previous(icu::TimeZone::createDefault());
    icu::TimeZone::adoptDefault(zone);
    const Instant switchInstant = instantFromMilliseconds(1730608200000LL); // 2024-11-03 04:30 UTC
    const std::vector<StatsInput> inputs{
        entry(switchInstant - hours(1), 1),                         // Saturday 23:30 EDT
        entry(switchInstant - milliseconds(60000), 2),              // Sunday 00:29 EDT
        entry(switchInstant + milliseconds(60000), 3),              // Saturday 23:31 EST
        entry(switchInstant + hours(12), 4),                        // Sunday 11:30 EST
    };
    EXPECT_EQ(idsOf(PortfolioStats::dailyCollapsed(inputs)), (std::vector<Uuid>{inputs[2].id, inputs[3].id}));
    icu::TimeZone::adoptDefault(previous.release());
}

TEST(PortfolioStats, MaxBalanceAndCashFlowTotals)
{
    const Instant day = localTime(2025, 3, 5);
    const std::vector<StatsInput> inputs{entry(day, 5, 100), entry(day, 9, -40), entry(day, 9, 0), entry(day, 2, -10)};
    EXPECT_EQ(PortfolioStats::maxBalance(inputs), 9);
    EXPECT_EQ(PortfolioStats::totalDeposits(inputs), 100);
    EXPECT_EQ(PortfolioStats::totalWithdrawals(inputs), -50);
    EXPECT_EQ(PortfolioStats::summary(inputs).netCashFlows, 50);
    EXPECT_EQ(PortfolioStats::maxBalance(std::vector{entry(day, -3), entry(day, -7)}), -3);
}

TEST(PortfolioStats, NotANumberPropagatesWhereItIsAdded)
{
    const Instant day = localTime(2025, 3, 5);
    EXPECT_TRUE(std::isnan(PortfolioStats::maxBalance(std::vector{entry(day, notANumber), entry(day, 5)})));
    EXPECT_EQ(PortfolioStats::maxBalance(std::vector{entry(day, 1), entry(day, notANumber), entry(day, 5)}), 5);

    const std::vector<StatsInput> nanCashFlow{entry(day, 100, 50), entry(day + hours(48), 200, notANumber), entry(day + hours(72), 300, -20)};
    EXPECT_EQ(PortfolioStats::totalDeposits(nanCashFlow), 50);
    EXPECT_EQ(PortfolioStats::totalWithdrawals(nanCashFlow), -20);
    const PortfolioSummary summary = PortfolioStats::summary(nanCashFlow);
    EXPECT_TRUE(std::isnan(summary.netCashFlows));
    EXPECT_TRUE(std::isnan(summary.gainPercent)); // a NaN divisor is not zero
    EXPECT_TRUE(std::isnan(PortfolioStats::series(nanCashFlow).back().adjusted));
    EXPECT_TRUE(std::isnan(PortfolioStats::averageBalance(std::vector{entry(day, notANumber), entry(day, 5)}, 30, day)));
}

// The window is counted in calendar days: 30 days before 20 March at noon is 18 February at
// noon, 30 days and one hour earlier across the change to summer time.
TEST(PortfolioStats, AverageBalanceWindowInCalendarDays)
{
    for (const char* zoneId : {"America/Toronto", "Europe/Berlin", "Asia/Tokyo"}) {
        const ScopedZone zone(zoneId);
        const Instant now = localTime(2025, 4, 2, 12);
        const Instant cutoff = localTime(2025, 3, 3, 12);
        const std::vector<StatsInput> inputs{
            entry(cutoff, 100),
            entry(cutoff - seconds(1), 1'000'000),
            entry(now + hours(24), 300),
            entry(now, 200),
        };
        EXPECT_EQ(PortfolioStats::averageBalance(inputs, 30, now), 200) << zoneId;
        EXPECT_EQ(PortfolioStats::averageBalance(inputs, 0, now), 250) << zoneId;
        EXPECT_EQ(PortfolioStats::averageBalance(inputs, -2, now), 0) << zoneId;
    }
    const ScopedZone zone("America/Toronto");
    const Instant now = localTime(2025, 3, 20, 12);
    const std::vector<StatsInput> acrossChange{entry(localTime(2025, 2, 18, 12), 10), entry(localTime(2025, 2, 18, 11, 59, 59), 99)};
    EXPECT_EQ(now - localTime(2025, 2, 18, 12), hours(30 * 24 - 1));
    EXPECT_EQ(PortfolioStats::averageBalance(acrossChange, 30, now), 10);
    EXPECT_EQ(PortfolioStats::averageBalance(acrossChange, std::numeric_limits<int>::min(), now), 0);
}

// Random histories (fixed seeds, amounts exact in binary so every order of addition agrees):
// the summary matches a direct recomputation from calendar days, and the investment-only
// series ends at the last balance minus all cash flows.
TEST(PortfolioStats, RandomHistoriesAgreeWithDirectRecomputation)
{
    const ScopedZone zone("America/Toronto");
    const long long from = millisecondsOf(localTime(2015, 1, 1));
    const long long span = 3LL * 365 * 86'400'000;
    for (unsigned seed = 1; seed <= 40; ++seed) {
        std::mt19937_64 random(seed);
        std::uniform_int_distribution<long long> offset(0, span);
        std::uniform_int_distribution<int> amount(-4000, 4000);
        std::vector<StatsInput> inputs;
        const int count = static_cast<int>(random() % 60);
        for (int i = 0; i < count; ++i) {
            // Some entries share a timestamp or a day with an earlier one.
            const Instant date = !inputs.empty() && random() % 5 == 0 ? inputs[random() % inputs.size()].date + hours(random() % 3)
                                                                       : instantFromMilliseconds(from + offset(random));
            inputs.push_back(entry(date, amount(random) * 0.25 + 1000, random() % 3 == 0 ? 0 : amount(random) * 0.5));
        }

        std::map<long long, StatsInput> lastOfDay; // day start -> latest entry (list order breaks ties)
        std::map<long long, long long> latestTime;
        double cashFlows = 0;
        CalendarDays calendar;
        for (const StatsInput& input : inputs) {
            const long long day = millisecondsOf(*calendar.startOfDay(input.date));
            if (!latestTime.count(day) || input.date >= instantFromMilliseconds(latestTime[day])) {
                latestTime[day] = millisecondsOf(input.date);
                lastOfDay[day] = input;
            }
            cashFlows += input.adjustment;
        }
        const PortfolioSummary summary = PortfolioStats::summary(inputs);
        const double start = lastOfDay.empty() ? 0 : lastOfDay.begin()->second.balance;
        const double current = lastOfDay.empty() ? 0 : lastOfDay.rbegin()->second.balance;
        EXPECT_EQ(summary.startingBalance, start) << "seed " << seed;
        EXPECT_EQ(summary.currentValue, current) << "seed " << seed;
        EXPECT_EQ(summary.netCashFlows, cashFlows) << "seed " << seed;
        EXPECT_EQ(summary.investmentGain, current - start - cashFlows) << "seed " << seed;
        EXPECT_EQ(PortfolioStats::dailyCollapsed(inputs).size(), lastOfDay.size()) << "seed " << seed;

        const std::vector<BalancePoint> series = PortfolioStats::series(inputs);
        ASSERT_EQ(series.size(), inputs.size());
        EXPECT_TRUE(std::is_sorted(series.begin(), series.end(), [](const auto& a, const auto& b) { return a.date < b.date; }));
        if (!series.empty()) {
            std::stable_sort(inputs.begin(), inputs.end(), [](const auto& a, const auto& b) { return a.date < b.date; });
            EXPECT_EQ(series.back().id, inputs.back().id) << "seed " << seed;
            EXPECT_EQ(series.back().adjusted, inputs.back().balance - cashFlows) << "seed " << seed;
        }
    }
}
