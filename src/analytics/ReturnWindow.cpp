#include "analytics/ReturnWindow.h"

#include "analytics/LocalCalendar.h"

#include <unicode/gregocal.h>

#include <cmath>

ReturnWindow ReturnWindow::of(DateRange range, Instant now)
{
    return ReturnWindow{std::string(range.rawValue()), range.startDate(now), std::nullopt};
}

ReturnWindow ReturnWindow::yearToDate(Instant now)
{
    ReturnWindow window{"YTD", std::nullopt, std::nullopt};
    UErrorCode status = U_ZERO_ERROR;
    icu::GregorianCalendar calendar(status);
    calendar.setTime(static_cast<UDate>(millisecondsOf(now)), status);
    calendar.set(UCAL_DAY_OF_YEAR, 1);
    calendar.set(UCAL_HOUR_OF_DAY, 12); // a wall time that exists even where a clock change skips midnight
    const UDate noon = calendar.getTime(status);
    if (U_SUCCESS(status) && std::isfinite(noon))
        window.from = LocalCalendar::startOfDay(calendar, instantFromMilliseconds(std::llround(noon)));
    return window;
}

ReturnWindow ReturnWindow::between(std::optional<Instant> from, std::optional<Instant> until)
{
    return ReturnWindow{"Custom", from, until};
}
