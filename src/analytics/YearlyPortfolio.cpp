#include "analytics/YearlyPortfolio.h"

#include "analytics/ChronologicalOrder.h"
#include "analytics/LocalCalendar.h"

#include <unicode/gregocal.h>

#include <cmath>
#include <memory>

namespace {
// Where one calendar year lies on the time line, in local days.
struct YearSpan {
    Instant firstDay; // start of 1 January
    Instant nextYear; // start of 1 January of the following year
    bool contains(Instant date) const { return date >= firstDay && date < nextYear; }
};

// Years are Gregorian whatever calendar system the locale prefers: the rows hold the year's
// number as the user types it.
std::unique_ptr<icu::Calendar> gregorian()
{
    UErrorCode status = U_ZERO_ERROR;
    auto calendar = std::make_unique<icu::GregorianCalendar>(status);
    return U_SUCCESS(status) ? std::move(calendar) : nullptr;
}

// The start of 1 January of `year`, found from that day's noon (a wall time that exists even
// where a clock change skips midnight).
std::optional<Instant> startOfYear(icu::Calendar& calendar, std::int64_t year)
{
    calendar.clear();
    calendar.set(UCAL_EXTENDED_YEAR, static_cast<int32_t>(year));
    calendar.set(UCAL_MONTH, UCAL_JANUARY);
    calendar.set(UCAL_DATE, 1);
    calendar.set(UCAL_HOUR_OF_DAY, 12);
    UErrorCode status = U_ZERO_ERROR;
    const UDate noon = calendar.getTime(status);
    if (U_FAILURE(status) || !std::isfinite(noon))
        return std::nullopt;
    return LocalCalendar::startOfDay(calendar, instantFromMilliseconds(std::llround(noon)));
}

std::optional<YearSpan> spanOf(icu::Calendar& calendar, std::int64_t year)
{
    if (year < calendar.getMinimum(UCAL_EXTENDED_YEAR) || year >= calendar.getMaximum(UCAL_EXTENDED_YEAR))
        return std::nullopt;
    const auto first = startOfYear(calendar, year);
    const auto next = startOfYear(calendar, year + 1);
    if (!first || !next)
        return std::nullopt;
    return YearSpan{*first, *next};
}

// The local year of `date`, nothing beyond the calendar's range.
std::optional<std::int64_t> yearOf(icu::Calendar& calendar, Instant date)
{
    UErrorCode status = U_ZERO_ERROR;
    calendar.setTime(static_cast<UDate>(millisecondsOf(date)), status);
    const int32_t year = calendar.get(UCAL_EXTENDED_YEAR, status);
    return U_SUCCESS(status) ? std::optional<std::int64_t>(year) : std::nullopt;
}

// One year's entries met in date order; `lastBefore` is the last entry before the year, if any.
class YearTally {
public:
    explicit YearTally(const StatsInput* lastBefore) : lastBefore_(lastBefore) {}

    void add(const StatsInput& entry)
    {
        if (first_ || lastBefore_)
            flows_ += entry.adjustment;
        if (!first_)
            first_ = &entry;
        last_ = &entry;
    }

    std::optional<YearFigures> figures() const
    {
        if (!last_)
            return std::nullopt;
        return YearFigures{(lastBefore_ ? lastBefore_ : first_)->balance, last_->balance, flows_};
    }

private:
    const StatsInput* lastBefore_;
    const StatsInput* first_ = nullptr;
    const StatsInput* last_ = nullptr;
    double flows_ = 0;
};
} // namespace

namespace YearlyPortfolio {
std::optional<YearFigures> figures(std::span<const StatsInput> entries, std::int64_t year)
{
    const auto calendar = gregorian();
    const auto span = calendar ? spanOf(*calendar, year) : std::nullopt;
    if (!span)
        return std::nullopt;
    const ChronologicalOrder order(entries);
    std::size_t k = 0;
    while (k < order.size() && order.date(k) < span->firstDay)
        ++k;
    YearTally tally(k > 0 ? &entries[order.position(k - 1)] : nullptr);
    for (; k < order.size() && order.date(k) < span->nextYear; ++k)
        tally.add(entries[order.position(k)]);
    return tally.figures();
}

std::vector<CalendarYear> everyYear(std::span<const StatsInput> entries)
{
    std::vector<CalendarYear> years;
    const auto calendar = gregorian();
    if (!calendar)
        return years;
    const ChronologicalOrder order(entries);
    std::size_t k = 0;
    while (k < order.size()) {
        // The first entry of a year opens it; the entries up to the year's end fill it. The
        // calendar is asked once per year that holds entries.
        const Instant date = order.date(k);
        const auto year = yearOf(*calendar, date);
        const auto span = year ? spanOf(*calendar, *year) : std::nullopt;
        if (!span || !span->contains(date)) {
            ++k;
            continue;
        }
        YearTally tally(k > 0 ? &entries[order.position(k - 1)] : nullptr);
        for (; k < order.size() && order.date(k) < span->nextYear; ++k)
            tally.add(entries[order.position(k)]);
        years.push_back(CalendarYear{*year, span->firstDay, span->nextYear, *tally.figures()});
    }
    return years;
}

std::optional<double> yearReturn(double actualStart, double actualEnd, double netCashFlows)
{
    if (actualStart == 0 || !std::isfinite(actualStart))
        return std::nullopt;
    return (actualEnd - netCashFlows - actualStart) / actualStart;
}
} // namespace YearlyPortfolio
