#include "views/BalanceChartData.h"

#include "analytics/DayStart.h"

#include <algorithm>
#include <functional>

namespace BalanceChartData {
namespace {
bool byDate(const BalancePoint& a, const BalancePoint& b) { return a.date < b.date; }

bool isAscending(std::span<const BalancePoint> points) { return std::is_sorted(points.begin(), points.end(), byDate); }

// The last point of each day of an ascending list (no copies of the points in between).
std::vector<BalancePoint> lastOfEachDay(std::span<const BalancePoint> ascending)
{
    std::vector<BalancePoint> days;
    DayStart dayStart; // the same days as the statistics' daily reduction
    Instant day{};
    for (std::size_t i = 0; i < ascending.size(); ++i) {
        const Instant next = dayStart(ascending[i].date);
        if (i > 0 && next != day)
            days.push_back(ascending[i - 1]);
        day = next;
    }
    if (!ascending.empty())
        days.push_back(ascending.back());
    return days;
}
} // namespace

std::vector<BalancePoint> filtered(std::span<const BalancePoint> points, DateRange range, Instant now)
{
    const std::optional<Instant> start = range.startDate(now);
    const auto inside = [&](const BalancePoint& point) { return DateRange::contains(start, point.date); };
    if (isAscending(points)) { // the usual case: the window is a tail of the series
        const auto first = std::partition_point(points.begin(), points.end(), std::not_fn(inside));
        return lastOfEachDay(points.subspan(std::size_t(first - points.begin())));
    }
    std::vector<BalancePoint> kept;
    std::copy_if(points.begin(), points.end(), std::back_inserter(kept), inside);
    return collapseByDay(std::move(kept));
}

std::vector<BalancePoint> collapseByDay(std::vector<BalancePoint> points)
{
    // A stable sort keeps equal timestamps in list order, so the later one ends its day.
    if (!isAscending(points))
        std::stable_sort(points.begin(), points.end(), byDate);
    return lastOfEachDay(points);
}
} // namespace BalanceChartData
