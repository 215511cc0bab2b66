#pragma once

#include "analytics/Instant.h"

#include <unicode/calendar.h>
#include <unicode/timezone.h>

#include <cstddef>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

// The UTC-offset history of one time zone as a table of intervals, built once from ICU's
// transitions. It answers "start of the local day" with a lookup and a little arithmetic
// wherever the answer cannot depend on how a wall time near a transition is resolved; near a
// transition that touches midnight it declines, and the caller asks the ICU calendar.
class DayStartTable {
public:
    // The shared, immutable table of `zone`, built on first request (safe from any thread).
    static std::shared_ptr<const DayStartTable> of(const icu::TimeZone& zone);

    explicit DayStartTable(const icu::TimeZone& zone);

    const icu::TimeZone& zone() const { return *zone_; }

    // The start of the local day of `ms`, or nothing when the calendar must decide.
    // `hint` is the interval found last; keeping it makes ascending lookups O(1).
    std::optional<long long> quickStartOfDay(long long ms, std::size_t& hint) const;
    // The offset in force at `ms` within the table's span (for the fallback arithmetic).
    int offsetAt(long long ms) const;
    // Where interval `i` (a hint as left by quickStartOfDay) ends.
    long long intervalEnd(std::size_t i) const { return i + 1 < starts_.size() ? starts_[i + 1] : end_; }
    // The instants [first, second) that read the same local date as `ms` with the same offset,
    // within the table's span; nothing where the table has no say. The calendar's start of day
    // depends on that date alone, so its answer for `ms` holds for all of them.
    std::optional<std::pair<long long, long long>> sameLocalDate(long long ms, std::size_t hint) const;

private:
    std::size_t intervalOf(long long ms, std::size_t hint) const;

    std::unique_ptr<icu::TimeZone> zone_;
    // Interval i covers [starts_[i], starts_[i + 1]) (the last one up to end_) with UTC offset
    // offsets_[i]. starts_[0] is the far past.
    std::vector<long long> starts_;
    std::vector<int> offsets_;
    // The local wall time from which the calendar resolves a wall time into interval i: the
    // transition's instant read with the larger of the offsets around it.
    std::vector<long long> resolvingFrom_;
    // The smallest resolvingFrom_ of all intervals after i.
    std::vector<long long> laterResolvingFrom_;
    long long end_ = 0; // instants from here on are beyond the table
};

// The start of the local day of instants in ICU's default time zone, read at construction:
// the table where it can tell, the ICU calendar otherwise, so the answers are the calendar's
// (LocalCalendar::startOfDay). One per computation; not for sharing between threads.
class DayStart {
public:
    DayStart();
    Instant operator()(Instant instant);

private:
    std::unique_ptr<icu::TimeZone> zone_;
    std::shared_ptr<const DayStartTable> table_;
    std::unique_ptr<icu::Calendar> calendar_; // made on the first instant the table declines
    std::size_t hint_ = 0;
    // The instants [dayFrom_, dayUntil_) share the last answer, dayAnswer_: they lie in its day
    // and in the same offset interval.
    long long dayFrom_ = 0;
    long long dayUntil_ = 0;
    long long dayAnswer_ = 0;
};
