#include "views/BalanceChartData.h"

#include "DashboardTestSupport.h"

#include <gtest/gtest.h>

namespace {
BalancePoint point(Instant date, double balance, double adjusted = 0)
{
    return BalancePoint{Uuid::random(), date, balance, adjusted};
}

std::vector<double> balancesOf(const std::vector<BalancePoint>& points)
{
    std::vector<double> balances;
    for (const BalancePoint& p : points)
        balances.push_back(p.balance);
    return balances;
}
} // namespace

TEST(CollapseByDay, KeepsTheLatestPointOfEachDayAscending)
{
    const Instant sameTime = localTime(2025, 3, 5, 17);
    const std::vector<BalancePoint> points{
        point(localTime(2025, 3, 6, 8), 400), // out of order on purpose
        point(localTime(2025, 3, 5, 9), 100),
        point(sameTime, 150),
        point(localTime(2025, 3, 5, 12), 120),
        point(sameTime, 160), // same instant, later in the list: wins
    };
    const auto days = BalanceChartData::collapseByDay(points);
    EXPECT_EQ(balancesOf(days), (std::vector<double>{160, 400}));
    EXPECT_EQ(days.front().id, points[4].id);
    EXPECT_EQ(days.front().date, sameTime); // not moved to midnight
}

TEST(CollapseByDay, UsesLocalDaysInEveryZoneAndAcrossDaylightSaving)
{
    struct Case {
        const char* zone;
        std::vector<std::array<int, 4>> times; // month, day, hour, minute (2025, local)
        std::vector<double> expected;
    };
    const std::vector<Case> cases{
        // The 23-hour day of 9 March in Toronto is still one day, from its first to its last minute.
        {"America/Toronto", {{3, 9, 0, 30}, {3, 9, 23, 30}, {3, 10, 0, 30}}, {2, 3}},
        {"Asia/Tokyo", {{3, 5, 8, 0}, {3, 5, 23, 59}, {3, 6, 0, 0}}, {2, 3}},
        {"Europe/Berlin", {{3, 30, 0, 30}, {3, 30, 3, 30}, {3, 31, 0, 0}}, {2, 3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.zone);
        ScopedZone zone(c.zone);
        std::vector<BalancePoint> points;
        for (const auto& [month, day, hour, minute] : c.times)
            points.push_back(point(localTime(2025, month, day, hour, minute), double(points.size() + 1)));
        EXPECT_EQ(balancesOf(BalanceChartData::collapseByDay(points)), c.expected);
    }
}

// The window's start is inclusive, it has no upper bound, and a list out of order anywhere
// (before the window, at its start or inside it) still gives the window's latest point of each day.
TEST(Filtered, WindowAndOrder)
{
    const Instant now = localTime(2025, 3, 31, 10);
    const Instant start = localTime(2025, 2, 28, 10); // 31 March minus one month
    const std::vector<BalancePoint> ordered{point(localTime(2025, 1, 5), 1), point(start - std::chrono::milliseconds(1), 2), point(start, 3),
                                            point(localTime(2025, 3, 2, 9), 4), point(localTime(2025, 3, 2, 17), 5),
                                            point(localTime(2025, 4, 2), 6)}; // after now: still drawn
    EXPECT_EQ(balancesOf(BalanceChartData::filtered(ordered, DateRange::all, now)), (std::vector<double>{1, 3, 5, 6}));
    for (const auto& [a, b] : {std::pair{0, 0}, std::pair{0, 1}, std::pair{1, 2}, std::pair{2, 3}, std::pair{3, 4}, std::pair{4, 5}}) {
        std::vector<BalancePoint> swapped = ordered;
        std::swap(swapped[std::size_t(a)], swapped[std::size_t(b)]);
        EXPECT_EQ(balancesOf(BalanceChartData::filtered(swapped, DateRange::month1, now)), (std::vector<double>{3, 5, 6})) << a << b;
    }
}
