#include "analytics/ReturnDays.h"

#include "analytics/DateRange.h"
#include "analytics/DayStart.h"
#include "analytics/PortfolioStats.h"

#include <algorithm>
#include <cmath>

namespace {
// Local midnights lie whole days apart give or take the daylight-saving shifts in between,
// which never add up to half a day. Floating point, so that far-off dates cannot overflow.
long long wholeDaysBetween(Instant from, Instant to)
{
    const double elapsed = static_cast<double>(millisecondsOf(to)) - static_cast<double>(millisecondsOf(from));
    return std::llround(elapsed / 86'400'000.0);
}
} // namespace

namespace ReturnDays {
std::vector<ReturnDay> of(std::span<const StatsInput> inputs, std::optional<Instant> windowStart)
{
    std::vector<StatsInput> inside;
    if (windowStart) {
        std::copy_if(inputs.begin(), inputs.end(), std::back_inserter(inside),
                     [&](const StatsInput& input) { return DateRange::contains(windowStart, input.date); });
        inputs = inside;
    }
    DayStart dayStart;
    std::vector<Instant> starts; // ascending, as the days
    std::vector<ReturnDay> days;
    for (const StatsInput& last : PortfolioStats::dailyCollapsed(inputs)) {
        starts.push_back(dayStart(last.date));
        days.push_back(ReturnDay{last.date, wholeDaysBetween(starts.front(), starts.back()), last.balance, 0});
    }
    // Each adjustment goes to its own day, also when another snapshot represents the day.
    std::size_t known = 0;
    for (const StatsInput& input : inputs) {
        const Instant start = dayStart(input.date);
        if (starts[known] != start)
            known = static_cast<std::size_t>(std::lower_bound(starts.begin(), starts.end(), start) - starts.begin());
        days[known].flow += input.adjustment;
    }
    return days;
}
} // namespace ReturnDays
