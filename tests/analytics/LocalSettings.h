#pragma once

#include "analytics/Instant.h"

#include <unicode/calendar.h>
#include <unicode/locid.h>
#include <unicode/simpletz.h>
#include <unicode/timezone.h>

#include <cstdlib>
#include <ctime>
#include <memory>
#include <optional>
#include <string>

// Switches the process's time zone (TZ and ICU's default zone) for as long as it lives.
class ScopedZone {
public:
    explicit ScopedZone(const char* zoneId) : previous_(icu::TimeZone::createDefault())
    {
        const char* tz = std::getenv("TZ");
        previousTz_ = tz ? tz : "";
        hadTz_ = tz != nullptr;
        setenv("TZ", zoneId, 1);
        tzset();
        icu::TimeZone::adoptDefault(icu::TimeZone::createTimeZone(icu::UnicodeString::fromUTF8(zoneId)));
    }
    ~ScopedZone()
    {
        if (hadTz_)
            setenv("TZ", previousTz_.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
        icu::TimeZone::adoptDefault(previous_.release());
    }
    ScopedZone(const ScopedZone&) = delete;
    ScopedZone& operator=(const ScopedZone&) = delete;

private:
    std::unique_ptr<icu::TimeZone> previous_;
    std::string previousTz_;
    bool hadTz_ = false;
};

// Switches ICU's default locale for as long as it lives.
class ScopedLocale {
public:
    explicit ScopedLocale(const char* name) : previous_(icu::Locale::getDefault())
    {
        UErrorCode status = U_ZERO_ERROR;
        icu::Locale::setDefault(icu::Locale(name), status);
    }
    ~ScopedLocale()
    {
        UErrorCode status = U_ZERO_ERROR;
        icu::Locale::setDefault(previous_, status);
    }
    ScopedLocale(const ScopedLocale&) = delete;
    ScopedLocale& operator=(const ScopedLocale&) = delete;

private:
    icu::Locale previous_;
};

// The instant of a local wall-clock time in ICU's default zone (proleptic Gregorian fields).
inline Instant localTime(int year, int month, int day, int hour = 0, int minute = 0, int second = 0)
{
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Calendar> calendar(icu::Calendar::createInstance(icu::Locale("en_US_POSIX"), status));
    calendar->clear();
    calendar->set(year, month - 1, day, hour, minute, second);
    return instantFromMilliseconds(static_cast<long long>(calendar->getTime(status)));
}

// The start of the local day as ICU's calendar computes it in the default zone (read at
// construction): midnight, the switch instant where midnight is skipped, the first of two
// midnights where it repeats.
class CalendarDays {
public:
    CalendarDays()
    {
        UErrorCode status = U_ZERO_ERROR;
        calendar_.reset(icu::Calendar::createInstance(status));
        calendar_->setRepeatedWallTimeOption(UCAL_WALLTIME_FIRST);
        calendar_->setSkippedWallTimeOption(UCAL_WALLTIME_NEXT_VALID);
    }

    std::optional<Instant> startOfDay(Instant instant)
    {
        UErrorCode status = U_ZERO_ERROR;
        calendar_->setLenient(false); // refuse instants out of range instead of clamping them
        calendar_->setTime(static_cast<UDate>(millisecondsOf(instant)), status);
        calendar_->setLenient(true);
        calendar_->set(UCAL_HOUR_OF_DAY, 0);
        calendar_->set(UCAL_MINUTE, 0);
        calendar_->set(UCAL_SECOND, 0);
        calendar_->set(UCAL_MILLISECOND, 0);
        const UDate start = calendar_->getTime(status);
        if (U_FAILURE(status))
            return std::nullopt;
        return instantFromMilliseconds(static_cast<long long>(start));
    }

private:
    std::unique_ptr<icu::Calendar> calendar_;
};
