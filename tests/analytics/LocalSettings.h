#pragma once

#include "analytics/Instant.h"

#include <unicode/calendar.h>
#include <unicode/locid.h>
#include <unicode/timezone.h>

#include <cstdlib>
#include <ctime>
#include <memory>
#include <optional>

// Switches the time zone (TZ and ICU's default zone) for as long as it lives; the test
// environment always starts from TZ=America/Toronto.
class ScopedZone {
public:
    explicit ScopedZone(const char* zoneId) : ScopedZone(icu::TimeZone::createTimeZone(icu::UnicodeString::fromUTF8(zoneId)), zoneId) {}
    ScopedZone(icu::TimeZone* zone, const char* tz) : previous_(icu::TimeZone::createDefault())
    {
        setenv("TZ", tz, 1);
        tzset();
        icu::TimeZone::adoptDefault(zone);
    }
    ~ScopedZone()
    {
        setenv("TZ", "America/Toronto", 1);
        tzset();
        icu::TimeZone::adoptDefault(previous_.release());
    }

private:
    std::unique_ptr<icu::TimeZone> previous_;
};

// Switches ICU's default locale for as long as it lives.
class ScopedLocale {
public:
    explicit ScopedLocale(const char* name) : previous_(icu::Locale::getDefault()) { set(icu::Locale(name)); }
    ~ScopedLocale() { set(previous_); }

private:
    static void set(const icu::Locale& locale)
    {
        UErrorCode status = U_ZERO_ERROR;
        icu::Locale::setDefault(locale, status);
    }
    icu::Locale previous_;
};

// The ICU calendar in the default zone (read at construction).
class CalendarDays {
public:
    CalendarDays()
    {
        UErrorCode status = U_ZERO_ERROR;
        calendar_.reset(icu::Calendar::createInstance(icu::Locale("en_US_POSIX"), status));
        calendar_->setRepeatedWallTimeOption(UCAL_WALLTIME_FIRST);
        calendar_->setSkippedWallTimeOption(UCAL_WALLTIME_NEXT_VALID);
    }

    // The instant of a local wall-clock time.
    Instant at(int year, int month, int day, int hour = 0, int minute = 0, int second = 0)
    {
        calendar_->clear();
        calendar_->set(year, month - 1, day, hour, minute, second);
        UErrorCode status = U_ZERO_ERROR;
        return instantFromMilliseconds(static_cast<long long>(calendar_->getTime(status)));
    }

    // The start of the local day: midnight, the switch where midnight is skipped, the first of
    // two midnights where it repeats; nothing outside the calendar's range.
    std::optional<Instant> startOfDay(Instant instant)
    {
        UErrorCode status = U_ZERO_ERROR;
        calendar_->setLenient(false); // refuse out-of-range instants instead of clamping them
        calendar_->setTime(static_cast<UDate>(millisecondsOf(instant)), status);
        calendar_->setLenient(true);
        for (const UCalendarDateFields field : {UCAL_HOUR_OF_DAY, UCAL_MINUTE, UCAL_SECOND, UCAL_MILLISECOND})
            calendar_->set(field, 0);
        const UDate start = calendar_->getTime(status);
        return U_SUCCESS(status) ? std::optional(instantFromMilliseconds(static_cast<long long>(start))) : std::nullopt;
    }

private:
    std::unique_ptr<icu::Calendar> calendar_;
};

inline Instant localTime(int year, int month, int day, int hour = 0, int minute = 0, int second = 0)
{
    return CalendarDays().at(year, month, day, hour, minute, second);
}
