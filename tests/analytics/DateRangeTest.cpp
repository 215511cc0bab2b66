#include "analytics/DateRange.h"

#include "LocalSettings.h"

#include <gtest/gtest.h>

#include <array>
#include <tuple>

// Month ends clamp and the wall-clock time stays, also across a change to summer time.
TEST(DateRange, StartCountsBackCalendarMonthsAndYears)
{
    const std::tuple<DateRange, std::array<int, 3>, std::array<int, 3>> cases[] = {
        {DateRange::month1, {2025, 3, 31}, {2025, 2, 28}}, {DateRange::month1, {2024, 3, 31}, {2024, 2, 29}},
        {DateRange::month1, {2025, 5, 31}, {2025, 4, 30}}, {DateRange::month3, {2025, 3, 31}, {2024, 12, 31}},
        {DateRange::month6, {2025, 8, 31}, {2025, 2, 28}}, {DateRange::year1, {2025, 3, 31}, {2024, 3, 31}},
        {DateRange::year1, {2024, 2, 29}, {2023, 2, 28}},  {DateRange::year5, {2024, 2, 29}, {2019, 2, 28}},
    };
    for (const char* zoneId : {"America/Toronto", "Asia/Tokyo", "Europe/Berlin"}) {
        const ScopedZone zone(zoneId);
        for (const auto& [range, now, start] : cases)
            EXPECT_EQ(range.startDate(localTime(now[0], now[1], now[2], 10)), localTime(start[0], start[1], start[2], 10))
                << zoneId << " " << range.rawValue() << " " << now[0] << "-" << now[1] << "-" << now[2];
        EXPECT_FALSE(DateRange(DateRange::all).startDate(localTime(2025, 3, 31, 10)));
    }
}

TEST(DateRange, WindowIsInclusiveWithoutUpperBound)
{
    const Instant now = localTime(2025, 3, 31, 10);
    const auto start = DateRange(DateRange::month1).startDate(now);
    ASSERT_TRUE(start);
    for (const auto& [date, inside] : {std::pair{*start, true}, {*start - std::chrono::milliseconds(1), false}, {now + std::chrono::hours(24 * 400), true}})
        EXPECT_EQ(DateRange::contains(start, date), inside) << millisecondsOf(date);
    for (const DateRange range : DateRange::allCases) // undated entries: only the whole history
        EXPECT_EQ(DateRange::contains(range.startDate(now), distantPast()), range == DateRange::all) << range.rawValue();
}
