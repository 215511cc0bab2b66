#include "analytics/DateRange.h"

#include "LocalSettings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(DateRange, CasesLabelsAndLookup)
{
    std::vector<std::string> labels;
    for (const DateRange range : DateRange::allCases) {
        labels.emplace_back(range.rawValue());
        EXPECT_EQ(range.id(), range.rawValue());
        EXPECT_EQ(DateRange::fromRawValue(range.rawValue()), range);
    }
    EXPECT_EQ(labels, (std::vector<std::string>{"1M", "3M", "6M", "1Y", "5Y", "All"}));
    EXPECT_EQ(DateRange::fromRawValue("All"), DateRange(DateRange::all));
    for (const char* unknown : {"1m", " 1M", "1M ", "all", "", "1W"})
        EXPECT_FALSE(DateRange::fromRawValue(unknown)) << unknown;
}

struct WindowCase {
    DateRange range;
    int nowYear, nowMonth, nowDay;
    int startYear, startMonth, startDay;
};

// Calendar subtraction clamps to month ends and keeps the wall-clock time, also across a
// daylight-saving change (31 March is summer time in Toronto and Berlin, February is not).
TEST(DateRange, StartKeepsTimeOfDayAndClampsMonthEnds)
{
    const WindowCase cases[] = {
        {DateRange::month1, 2025, 3, 31, 2025, 2, 28},
        {DateRange::month1, 2024, 3, 31, 2024, 2, 29},
        {DateRange::month1, 2025, 5, 31, 2025, 4, 30},
        {DateRange::month3, 2025, 3, 31, 2024, 12, 31},
        {DateRange::month6, 2025, 3, 31, 2024, 9, 30},
        {DateRange::month6, 2025, 8, 31, 2025, 2, 28},
        {DateRange::year1, 2025, 3, 31, 2024, 3, 31},
        {DateRange::year1, 2024, 2, 29, 2023, 2, 28},
        {DateRange::year5, 2025, 3, 31, 2020, 3, 31},
        {DateRange::year5, 2024, 2, 29, 2019, 2, 28},
    };
    for (const char* zone : {"America/Toronto", "Asia/Tokyo", "Europe/Berlin"}) {
        const ScopedZone scoped(zone);
        for (const WindowCase& c : cases) {
            const Instant now = localTime(c.nowYear, c.nowMonth, c.nowDay, 10, 0);
            EXPECT_EQ(c.range.startDate(now), localTime(c.startYear, c.startMonth, c.startDay, 10, 0))
                << zone << " " << c.range.rawValue() << " from " << c.nowYear << "-" << c.nowMonth << "-" << c.nowDay;
        }
        EXPECT_FALSE(DateRange(DateRange::all).startDate(localTime(2025, 3, 31, 10)));
    }
}

TEST(DateRange, WindowIsInclusiveWithoutUpperBound)
{
    const ScopedZone zone("America/Toronto");
    const Instant now = localTime(2025, 3, 31, 10);
    const auto start = DateRange(DateRange::month1).startDate(now);
    ASSERT_TRUE(start);
    EXPECT_TRUE(DateRange::contains(start, *start));
    EXPECT_FALSE(DateRange::contains(start, *start - std::chrono::milliseconds(1)));
    EXPECT_TRUE(DateRange::contains(start, now + std::chrono::hours(24 * 400)));
    // An entry without a date is shown only by the whole-history window.
    for (const DateRange range : DateRange::allCases)
        EXPECT_EQ(DateRange::contains(range.startDate(now), distantPast()), range == DateRange::all) << range.rawValue();
}
