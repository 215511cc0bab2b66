#pragma once

// Small builders shared by the dashboard view tests.
#include "analytics/Instant.h"
#include "analytics/StatsInput.h"

#include <QDateTime>

#include <unicode/timezone.h>

#include <cstdlib>
#include <ctime>
#include <string>

// A local wall-clock time in the current TZ as an Instant.
inline Instant localTime(int year, int month, int day, int hour = 12, int minute = 0, int second = 0)
{
    const QDateTime local(QDate(year, month, day), QTime(hour, minute, second));
    return instantFromMilliseconds(local.toMSecsSinceEpoch());
}

inline StatsInput input(Instant date, double balance, double adjustment = 0)
{
    return StatsInput{Uuid::random(), date, balance, adjustment};
}

// Switches the C library's and ICU's default time zone for as long as it lives.
class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char* zone)
    {
        if (const char* old = std::getenv("TZ"))
            previous_ = old;
        apply(zone);
    }
    ~ScopedTimeZone() { apply(previous_.c_str()); }
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

private:
    static void apply(const char* zone)
    {
        setenv("TZ", zone, 1);
        tzset();
        icu::TimeZone::adoptDefault(icu::TimeZone::createTimeZone(icu::UnicodeString::fromUTF8(zone)));
    }
    std::string previous_ = "America/Toronto";
};
