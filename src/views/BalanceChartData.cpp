#include "views/BalanceChartData.h"

#include <unicode/calendar.h>

#include <algorithm>
#include <memory>

namespace {
// The local calendar day that contains an instant, as the half-open interval [start, end).
// Walking ascending instants, most lookups fall into the day already known and cost no
// calendar arithmetic.
class LocalDayCursor {
public:
    LocalDayCursor()
    {
        UErrorCode status = U_ZERO_ERROR;
        calendar_.reset(icu::Calendar::createInstance(status)); // default zone and locale
        if (U_FAILURE(status))
            calendar_.reset();
    }

    // True when `instant` lies in a later day than the previous call's (or on the first call).
    bool startsNewDay(Instant instant)
    {
        const auto ms = UDate(millisecondsOf(instant));
        if (known_ && ms >= start_ && ms < end_)
            return false;
        moveTo(ms);
        return true;
    }

private:
    void moveTo(UDate ms)
    {
        known_ = false;
        if (!calendar_)
            return; // no calendar: every point stands for its own day
        UErrorCode status = U_ZERO_ERROR;
        calendar_->setTime(ms, status);
        calendar_->set(UCAL_HOUR_OF_DAY, 0);
        calendar_->set(UCAL_MINUTE, 0);
        calendar_->set(UCAL_SECOND, 0);
        calendar_->set(UCAL_MILLISECOND, 0);
        const UDate start = calendar_->getTime(status);
        calendar_->add(UCAL_DATE, 1, status);
        const UDate end = calendar_->getTime(status);
        if (U_FAILURE(status) || !(start <= ms && ms < end))
            return;
        start_ = start;
        end_ = end;
        known_ = true;
    }

    std::unique_ptr<icu::Calendar> calendar_;
    UDate start_ = 0;
    UDate end_ = 0;
    bool known_ = false;
};
} // namespace

namespace BalanceChartData {
std::vector<BalancePoint> filtered(std::span<const BalancePoint> points, DateRange range, Instant now)
{
    const std::optional<Instant> start = range.startDate(now);
    std::vector<BalancePoint> kept;
    kept.reserve(points.size());
    std::copy_if(points.begin(), points.end(), std::back_inserter(kept),
                 [&](const BalancePoint& point) { return DateRange::contains(start, point.date); });
    return collapseByDay(std::move(kept));
}

std::vector<BalancePoint> collapseByDay(std::vector<BalancePoint> points)
{
    std::stable_sort(points.begin(), points.end(),
                     [](const BalancePoint& a, const BalancePoint& b) { return a.date < b.date; });
    // After the sort the points of one day stand together; the last of each run represents it.
    std::vector<BalancePoint> days;
    LocalDayCursor cursor;
    for (BalancePoint& point : points) {
        if (cursor.startsNewDay(point.date) || days.empty())
            days.push_back(std::move(point));
        else
            days.back() = std::move(point);
    }
    return days;
}
} // namespace BalanceChartData
