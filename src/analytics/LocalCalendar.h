#pragma once

#include "analytics/Instant.h"

#include <unicode/calendar.h>

#include <memory>
#include <optional>

// The user's calendar: ICU's default locale (its calendar system) in ICU's default time zone,
// both read when the calendar is made. ICU takes them from LANG/LC_ALL and TZ on first use;
// the application never changes them afterwards, tests switch them in-process.
namespace LocalCalendar {
// A fresh calendar (ICU calendars are not thread-safe, so every computation makes its own);
// null when ICU cannot make one.
std::unique_ptr<icu::Calendar> current();
// Makes a Gregorian `calendar` proleptic (no Julian days before 1582-10-15), so that days are
// read, counted and shown in one calendar, as ISO 8601 has them. Other calendar systems are
// left as they are.
void useProlepticGregorian(icu::Calendar& calendar);

// `from` moved by `amount` units of `field` with the calendar's arithmetic (month ends clamp,
// the wall-clock time of day is kept); nothing when the calendar cannot compute it.
std::optional<Instant> adding(icu::Calendar& calendar, UCalendarDateFields field, long long amount, Instant from);

// The first instant of the local day that contains `instant`: local midnight, or the
// daylight-saving switch where midnight is skipped, or the earlier of two midnights where it
// repeats. Sets those wall-time options on `calendar`. Nothing outside the calendar's range.
std::optional<Instant> startOfDay(icu::Calendar& calendar, Instant instant);
} // namespace LocalCalendar
