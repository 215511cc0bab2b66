#include "analytics/YearlyPortfolio.h"

#include "analytics/ChronologicalOrder.h"
#include "analytics/LocalCalendar.h"

#include <unicode/gregocal.h>

#include <cmath>
#include <memory>

namespace {
// Where one calendar year lies on the time line, in local days.
struct YearSpan {
    Instant firstDay;  // start of 1 January
    Instant secondDay; // start of 2 January: entries before it are "on or before the first day"
    Instant nextYear;  // start of 1 January of the following year
};

// The start of the local day `day` of January in `year`, found from that day's noon (a wall
// time that exists even where a clock change skips midnight).
std::optional<Instant> startOfJanuaryDay(icu::Calendar& calendar, std::int64_t year, int day)
{
    calendar.clear();
    calendar.set(UCAL_EXTENDED_YEAR, static_cast<int32_t>(year));
    calendar.set(UCAL_MONTH, UCAL_JANUARY);
    calendar.set(UCAL_DATE, day);
    calendar.set(UCAL_HOUR_OF_DAY, 12);
    UErrorCode status = U_ZERO_ERROR;
    const UDate noon = calendar.getTime(status);
    if (U_FAILURE(status) || !std::isfinite(noon))
        return std::nullopt;
    return LocalCalendar::startOfDay(calendar, instantFromMilliseconds(std::llround(noon)));
}

// Years are Gregorian whatever calendar system the locale prefers: the rows hold the year's
// number as the user types it.
std::optional<YearSpan> spanOf(std::int64_t year)
{
    UErrorCode status = U_ZERO_ERROR;
    auto calendar = std::make_unique<icu::GregorianCalendar>(status);
    if (U_FAILURE(status))
        return std::nullopt;
    if (year < calendar->getMinimum(UCAL_EXTENDED_YEAR) || year >= calendar->getMaximum(UCAL_EXTENDED_YEAR))
        return std::nullopt;
    const auto first = startOfJanuaryDay(*calendar, year, 1);
    const auto second = startOfJanuaryDay(*calendar, year, 2);
    const auto next = startOfJanuaryDay(*calendar, year + 1, 1);
    if (!first || !second || !next)
        return std::nullopt;
    return YearSpan{*first, *second, *next};
}
} // namespace

namespace YearlyPortfolio {
std::optional<YearFigures> figures(std::span<const StatsInput> entries, std::int64_t year)
{
    const auto span = spanOf(year);
    if (!span)
        return std::nullopt;
    const auto inside = [&](Instant date) { return date >= span->firstDay && date < span->nextYear; };

    const ChronologicalOrder order(entries);
    const StatsInput* lastBefore = nullptr; // last entry on or before the first day
    const StatsInput* firstInside = nullptr;
    const StatsInput* lastInside = nullptr;
    for (std::size_t k = 0; k < order.size(); ++k) {
        const StatsInput& entry = entries[order.position(k)];
        if (entry.date < span->secondDay)
            lastBefore = &entry;
        if (inside(entry.date)) {
            if (!firstInside)
                firstInside = &entry;
            lastInside = &entry;
        }
    }
    if (!lastInside)
        return std::nullopt;

    YearFigures result;
    result.actualStart = (lastBefore ? lastBefore : firstInside)->balance;
    result.actualEnd = lastInside->balance;
    for (const StatsInput& entry : entries)
        if (inside(entry.date))
            result.netCashFlows += entry.adjustment;
    return result;
}

std::optional<double> yearReturn(double actualStart, double actualEnd, double netCashFlows)
{
    const double divisor = actualStart + netCashFlows;
    if (divisor == 0)
        return std::nullopt;
    return (actualEnd - actualStart - netCashFlows) / divisor;
}
} // namespace YearlyPortfolio
