#include "views/BalanceChartData.h"

#include <unicode/basictz.h>
#include <unicode/tztrans.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>

namespace {
constexpr double dayMs = 86'400'000.0;

// The local calendar date of an instant, as a day number (days since 1970-01-01 local). The
// zone's offset from UTC is constant between two of its transitions, so walking ascending
// instants needs the zone only about twice a year of history and plain arithmetic otherwise.
class LocalDayNumbers {
public:
    LocalDayNumbers() : zone_(icu::TimeZone::createDefault()), rules_(dynamic_cast<icu::BasicTimeZone*>(zone_.get())) {}

    long long dayOf(Instant instant)
    {
        const auto ms = UDate(millisecondsOf(instant));
        if (!(ms >= offsetFrom_ && ms < offsetUntil_))
            learnOffsetAt(ms);
        return static_cast<long long>(std::floor((ms + offset_) / dayMs));
    }

private:
    void learnOffsetAt(UDate ms)
    {
        offsetFrom_ = ms;
        offsetUntil_ = ms + 1; // without transition rules, only this instant is known
        UErrorCode status = U_ZERO_ERROR;
        int32_t raw = 0;
        int32_t dst = 0;
        zone_->getOffset(ms, false, raw, dst, status);
        offset_ = U_SUCCESS(status) ? double(raw) + double(dst) : 0;
        if (!rules_ || U_FAILURE(status))
            return;
        icu::TimeZoneTransition transition;
        offsetFrom_ = rules_->getPreviousTransition(ms, true, transition) ? transition.getTime() : -HUGE_VAL;
        offsetUntil_ = rules_->getNextTransition(ms, false, transition) ? transition.getTime() : HUGE_VAL;
    }

    std::unique_ptr<icu::TimeZone> zone_;
    icu::BasicTimeZone* rules_;
    double offset_ = 0;
    UDate offsetFrom_ = 0;
    UDate offsetUntil_ = 0;
};

bool byDate(const BalancePoint& a, const BalancePoint& b) { return a.date < b.date; }

bool isAscending(std::span<const BalancePoint> points) { return std::is_sorted(points.begin(), points.end(), byDate); }
} // namespace

namespace BalanceChartData {
namespace {
// The last point of each day of an ascending list (no copies of the points in between).
std::vector<BalancePoint> lastOfEachDay(std::span<const BalancePoint> ascending)
{
    std::vector<BalancePoint> days;
    LocalDayNumbers localDays;
    long long day = 0;
    for (std::size_t i = 0; i < ascending.size(); ++i) {
        const long long next = localDays.dayOf(ascending[i].date);
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
