#include "analytics/YearlyPortfolio.h"

#include "LocalSettings.h"

#include <unicode/simpletz.h>

#include <gtest/gtest.h>

#include <vector>

namespace {
using std::chrono::minutes;

StatsInput entry(Instant date, double balance, double adjustment = 0) { return StatsInput{Uuid::random(), date, balance, adjustment}; }

std::vector<double> figures(const std::vector<StatsInput>& entries, std::int64_t year)
{
    const auto f = YearlyPortfolio::figures(entries, year);
    return f ? std::vector{f->actualStart, f->actualEnd, f->netCashFlows} : std::vector<double>{};
}
} // namespace

// Worked by hand. 2023 has no entry before it, so its first entry is the start; 2024 starts
// from the last entry of 2023; an entry on 1 January itself is "on or before the first day".
// The list is out of order; equal timestamps go by list position.
TEST(YearlyPortfolio, FiguresOfAYear)
{
    const std::vector entries{
        entry(localTime(2024, 7, 1), 140, -20),      entry(localTime(2023, 6, 1), 90, 90),
        entry(localTime(2024, 12, 31, 23), 170, 10), entry(localTime(2023, 12, 31, 10), 100, 0),
        entry(localTime(2024, 3, 1), 150, 40),       entry(localTime(2025, 1, 1, 0, 30), 999, 5),
        entry(localTime(2024, 12, 31, 23), 180, 0),
    };
    // 2022 has entries only after it, 2026 only before it: no figures.
    const std::pair<int, std::vector<double>> years[] = {{2022, {}}, {2023, {90, 100, 90}}, {2024, {100, 180, 30}}, {2025, {999, 999, 5}}, {2026, {}}};
    for (const auto& [year, expected] : years)
        EXPECT_EQ(figures(entries, year), expected) << year;
    EXPECT_EQ(figures({}, 2024), std::vector<double>{});

    std::vector withNewYearsDay = entries;
    withNewYearsDay.push_back(entry(localTime(2024, 1, 1, 18), 101, 1));
    withNewYearsDay.push_back(entry(localTime(2024, 1, 2), 555, 0)); // the second day is inside only
    EXPECT_EQ(figures(withNewYearsDay, 2024), std::vector<double>({101, 180, 31}));

    EXPECT_FALSE(YearlyPortfolio::figures(entries, 2'000'000'000)); // beyond the calendar
}

// Years are local: 2024-12-31 15:30 UTC is still 2024 in Toronto but already 2025 in Tokyo.
TEST(YearlyPortfolio, YearsAreLocal)
{
    const Instant instant = instantFromMilliseconds(1735659000000LL); // 2024-12-31 15:30 UTC
    const std::vector entries{entry(instant - std::chrono::hours(24 * 30), 10, 1), entry(instant, 20, 2)};
    EXPECT_EQ(std::pair(figures(entries, 2024), figures(entries, 2025)), std::pair(std::vector<double>({10, 20, 3}), std::vector<double>{}));
    const ScopedZone tokyo("Asia/Tokyo");
    EXPECT_EQ(std::pair(figures(entries, 2024), figures(entries, 2025)), std::pair(std::vector<double>({10, 10, 1}), std::vector<double>({20, 20, 2})));
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
    EXPECT_EQ(std::pair(figures(entries, 2023), figures(entries, 2024)), std::pair(std::vector<double>({100, 100, 0}), std::vector<double>({120, 120, 10})));
}
