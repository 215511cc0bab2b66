#include "analytics/ReturnDays.h"

#include "analytics/ReturnWindow.h"
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
std::vector<ReturnDay> of(std::span<const StatsInput> inputs, std::optional<Instant> from, std::optional<Instant> until)
{
    std::vector<StatsInput> inside;
    if (from || until) {
        const ReturnWindow window{{}, from, until};
        inside.reserve(inputs.size());
        std::copy_if(inputs.begin(), inputs.end(), std::back_inserter(inside), [&](const StatsInput& input) { return window.contains(input.date); });
        inputs = inside;
    }
    DayStart dayStart;
    std::vector<Instant> dayOf; // of each snapshot, in list order
    dayOf.reserve(inputs.size());
    for (const StatsInput& input : inputs)
        dayOf.push_back(dayStart(input.date));
    std::vector<Instant> starts; // ascending, as the days
    std::vector<ReturnDay> days;
    for (const std::size_t position : PortfolioStats::dailyPositions(inputs, dayOf)) {
        const StatsInput& last = inputs[position];
        starts.push_back(dayOf[position]);
        days.push_back(ReturnDay{last.date, wholeDaysBetween(starts.front(), starts.back()), last.balance, 0});
    }
    // Each adjustment goes to its own day, also when another snapshot represents the day.
    std::size_t known = 0;
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        const Instant start = dayOf[i];
        if (starts[known] != start) {
            if (known + 1 < starts.size() && starts[known + 1] == start)
                ++known; // the next day: a list in date order moves on one day at a time
            else
                known = static_cast<std::size_t>(std::lower_bound(starts.begin(), starts.end(), start) - starts.begin());
        }
        days[known].flow += inputs[i].adjustment;
    }
    return days;
}
} // namespace ReturnDays
