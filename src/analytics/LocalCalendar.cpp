#include "analytics/LocalCalendar.h"

#include <unicode/gregocal.h>

#include <climits>
#include <limits>
#include <cmath>

namespace {
// ICU calendars work within roughly ±5.8 million years and silently clamp beyond that when
// lenient; instants outside this bound are refused instead of being answered wrongly.
constexpr long long calendarLimitMilliseconds = 180'000'000'000'000'000LL;

bool withinCalendarRange(long long ms) { return ms > -calendarLimitMilliseconds && ms < calendarLimitMilliseconds; }

bool setInstant(icu::Calendar& calendar, Instant instant)
{
    const long long ms = millisecondsOf(instant);
    if (!withinCalendarRange(ms))
        return false;
    UErrorCode status = U_ZERO_ERROR;
    calendar.setTime(static_cast<UDate>(ms), status);
    return U_SUCCESS(status);
}

std::optional<Instant> instantOf(icu::Calendar& calendar)
{
    UErrorCode status = U_ZERO_ERROR;
    const UDate time = calendar.getTime(status);
    if (U_FAILURE(status) || !std::isfinite(time) || !withinCalendarRange(static_cast<long long>(time)))
        return std::nullopt;
    return instantFromMilliseconds(std::llround(time));
}
} // namespace

namespace LocalCalendar {
std::unique_ptr<icu::Calendar> current()
{
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Calendar> calendar(icu::Calendar::createInstance(status));
    if (U_FAILURE(status))
        return nullptr;
    useProlepticGregorian(*calendar);
    return calendar;
}

void useProlepticGregorian(icu::Calendar& calendar)
{
    if (auto* gregorian = dynamic_cast<icu::GregorianCalendar*>(&calendar)) {
        UErrorCode status = U_ZERO_ERROR;
        gregorian->setGregorianChange(std::numeric_limits<double>::lowest(), status);
    }
}

std::optional<Instant> adding(icu::Calendar& calendar, UCalendarDateFields field, long long amount, Instant from)
{
    if (!setInstant(calendar, from))
        return std::nullopt;
    // ICU adds 32-bit amounts; a larger one is applied in steps (and then fails on range).
    while (amount != 0) {
        const long long step = amount > INT32_MAX ? INT32_MAX : amount < INT32_MIN ? INT32_MIN : amount;
        UErrorCode status = U_ZERO_ERROR;
        calendar.add(field, static_cast<int32_t>(step), status);
        if (U_FAILURE(status))
            return std::nullopt;
        amount -= step;
    }
    return instantOf(calendar);
}

std::optional<Instant> startOfDay(icu::Calendar& calendar, Instant instant)
{
    calendar.setRepeatedWallTimeOption(UCAL_WALLTIME_FIRST);
    calendar.setSkippedWallTimeOption(UCAL_WALLTIME_NEXT_VALID);
    if (!setInstant(calendar, instant))
        return std::nullopt;
    calendar.set(UCAL_HOUR_OF_DAY, 0);
    calendar.set(UCAL_MINUTE, 0);
    calendar.set(UCAL_SECOND, 0);
    calendar.set(UCAL_MILLISECOND, 0);
    return instantOf(calendar);
}
} // namespace LocalCalendar
