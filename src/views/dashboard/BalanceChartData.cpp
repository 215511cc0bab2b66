#include "views/dashboard/BalanceChartData.h"

#include "analytics/DayStart.h"

#include <algorithm>
#include <optional>

namespace BalanceChartData {
namespace {
bool byDate(const BalancePoint& a, const BalancePoint& b) { return a.date < b.date; }

bool isAscending(std::span<const BalancePoint> points) { return std::is_sorted(points.begin(), points.end(), byDate); }

// The last point of each day of an ascending list (no copies of the points in between), or
// nothing when the list turns out not to be ascending.
std::optional<std::vector<BalancePoint>> lastOfEachDay(std::span<const BalancePoint> ascending)
{
    std::vector<BalancePoint> days;
    DayStart dayStart; // the same days as the statistics' daily reduction
    Instant day{};
    for (std::size_t i = 0; i < ascending.size(); ++i) {
        if (i > 0 && byDate(ascending[i], ascending[i - 1]))
            return std::nullopt;
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
    // The usual case: an ascending series, whose window is a tail. The tail's order is checked
    // while it is walked; the points before it, and the step into it, here.
    std::size_t first = 0; // bisection (any list: std::partition_point would ask for a partitioned one)
    for (std::size_t end = points.size(); first < end;) {
        const std::size_t middle = first + (end - first) / 2;
        if (inside(points[middle]))
            end = middle;
        else
            first = middle + 1;
    }
    const bool ascendingBefore = isAscending(points.first(first)) && (first == 0 || first == points.size() || !byDate(points[first], points[first - 1]));
    if (ascendingBefore)
        if (auto days = lastOfEachDay(points.subspan(first)))
            return std::move(*days);
    std::vector<BalancePoint> kept;
    std::copy_if(points.begin(), points.end(), std::back_inserter(kept), inside);
    return collapseByDay(std::move(kept));
}

std::vector<BalancePoint> collapseByDay(std::vector<BalancePoint> points)
{
    // A stable sort keeps equal timestamps in list order, so the later one ends its day.
    if (!isAscending(points))
        std::stable_sort(points.begin(), points.end(), byDate);
    return *lastOfEachDay(points);
}
} // namespace BalanceChartData
