#include "analytics/DayStart.h"

#include "analytics/LocalCalendar.h"

#include <unicode/basictz.h>
#include <unicode/tztrans.h>

#include <algorithm>
#include <climits>
#include <mutex>
#include <tuple>

namespace {
constexpr long long dayMilliseconds = 86'400'000LL;
// Transitions are read from before any zone's history began up to 2400-01-01; later instants
// are answered by the calendar.
constexpr double tableFrom = -180'000'000'000'000'000.0;
constexpr double tableUntil = 13'569'465'600'000.0;
// Instants this close to the representable limits are left to the fallback arithmetic.
constexpr long long arithmeticLimit = LLONG_MAX / 4;

long long floorMod(long long value, long long divisor)
{
    const long long r = value % divisor;
    return r < 0 ? r + divisor : r;
}

// Milliseconds since local midnight of `ms` read with `offset`, without overflowing.
long long sinceLocalMidnight(long long ms, int offset) { return floorMod(floorMod(ms, dayMilliseconds) + offset, dayMilliseconds); }

int zoneOffset(const icu::TimeZone& zone, double ms)
{
    int32_t raw = 0;
    int32_t dst = 0;
    UErrorCode status = U_ZERO_ERROR;
    zone.getOffset(ms, false, raw, dst, status);
    return U_SUCCESS(status) ? raw + dst : zone.getRawOffset();
}
} // namespace

DayStartTable::DayStartTable(const icu::TimeZone& zone) : zone_(zone.clone())
{
    end_ = LLONG_MAX;
    const auto* basic = dynamic_cast<const icu::BasicTimeZone*>(zone_.get());
    if (!basic)
        return; // no transitions to read: every lookup goes to the calendar
    icu::TimeZoneTransition transition;
    UDate from = tableFrom;
    std::vector<std::pair<long long, int>> changes;
    while (basic->getNextTransition(from, false, transition)) {
        from = transition.getTime();
        if (from >= tableUntil) {
            end_ = static_cast<long long>(from);
            break;
        }
        changes.emplace_back(static_cast<long long>(from), zoneOffset(*zone_, from));
    }
    starts_.push_back(LLONG_MIN);
    offsets_.push_back(changes.empty() ? zoneOffset(*zone_, 0) : zoneOffset(*zone_, static_cast<double>(changes.front().first - 1)));
    resolvingFrom_.push_back(LLONG_MIN);
    for (const auto& [start, offset] : changes) {
        if (offset == offsets_.back())
            continue; // a change of name or of the raw/daylight split only
        resolvingFrom_.push_back(start + std::max(offsets_.back(), offset));
        starts_.push_back(start);
        offsets_.push_back(offset);
    }
    laterResolvingFrom_.assign(starts_.size(), LLONG_MAX);
    if (end_ != LLONG_MAX)
        laterResolvingFrom_.back() = end_ - dayMilliseconds; // the next transition, read with any offset
    for (std::size_t i = starts_.size() - 1; i > 0; --i)
        laterResolvingFrom_[i - 1] = std::min(laterResolvingFrom_[i], resolvingFrom_[i]);
}

std::shared_ptr<const DayStartTable> DayStartTable::of(const icu::TimeZone& zone)
{
    // A handful of zones at most in one process (tests switch between a few).
    static std::mutex mutex;
    static std::vector<std::shared_ptr<const DayStartTable>> tables;
    constexpr std::size_t maximumTables = 8;
    const std::lock_guard lock(mutex);
    for (const auto& table : tables)
        if (*table->zone_ == zone)
            return table;
    if (tables.size() == maximumTables)
        tables.erase(tables.begin());
    tables.push_back(std::make_shared<const DayStartTable>(zone));
    return tables.back();
}

std::size_t DayStartTable::intervalOf(long long ms, std::size_t hint) const
{
    if (hint < starts_.size() && starts_[hint] <= ms && ms < intervalEnd(hint))
        return hint;
    if (hint + 1 < starts_.size() && starts_[hint + 1] <= ms && ms < intervalEnd(hint + 1))
        return hint + 1;
    return static_cast<std::size_t>(std::upper_bound(starts_.begin(), starts_.end(), ms) - starts_.begin()) - 1;
}

std::optional<long long> DayStartTable::quickStartOfDay(long long ms, std::size_t& hint) const
{
    if (starts_.empty() || ms >= end_ || ms <= -arithmeticLimit || ms >= arithmeticLimit)
        return std::nullopt;
    const std::size_t i = intervalOf(ms, hint);
    hint = i;
    const int offset = offsets_[i];
    const long long start = ms - sinceLocalMidnight(ms, offset);
    const long long wallMidnight = start + offset;
    // The calendar reads local midnight back into this same interval only when midnight lies
    // inside it and no transition's ambiguous or skipped wall times reach it.
    if (start >= starts_[i] && wallMidnight >= resolvingFrom_[i] && wallMidnight < laterResolvingFrom_[i])
        return start;
    return std::nullopt;
}

std::optional<std::pair<long long, long long>> DayStartTable::sameLocalDate(long long ms, std::size_t hint) const
{
    if (starts_.empty() || ms >= end_ || ms <= -arithmeticLimit || ms >= arithmeticLimit)
        return std::nullopt;
    const std::size_t i = intervalOf(ms, hint);
    const long long midnight = ms - sinceLocalMidnight(ms, offsets_[i]); // as read with this offset
    return std::pair{std::max(midnight, starts_[i]), std::min({midnight + dayMilliseconds, intervalEnd(i), arithmeticLimit})};
}

int DayStartTable::offsetAt(long long ms) const
{
    if (starts_.empty())
        return zoneOffset(*zone_, static_cast<double>(ms));
    const auto after = std::upper_bound(starts_.begin(), starts_.end(), ms);
    return offsets_[static_cast<std::size_t>(after - starts_.begin()) - 1];
}

DayStart::DayStart() : zone_(icu::TimeZone::createDefault()), table_(DayStartTable::of(*zone_)) {}

Instant DayStart::operator()(Instant instant)
{
    const long long ms = millisecondsOf(instant);
    if (ms >= dayFrom_ && ms < dayUntil_) // walks by date meet each day many times in a row
        return instantFromMilliseconds(dayAnswer_);
    if (const auto quick = table_->quickStartOfDay(ms, hint_)) {
        // Within the interval the table's arithmetic gives every instant of this day the same
        // start (not kept near the limits, which the table leaves to the fallback).
        const bool keep = *quick > -arithmeticLimit;
        dayFrom_ = *quick;
        dayUntil_ = keep ? std::min({*quick + dayMilliseconds, table_->intervalEnd(hint_), arithmeticLimit}) : *quick;
        dayAnswer_ = *quick;
        return instantFromMilliseconds(*quick);
    }
    if (!calendar_) {
        UErrorCode status = U_ZERO_ERROR;
        calendar_.reset(icu::Calendar::createInstance(zone_->clone(), status));
        if (U_FAILURE(status))
            calendar_.reset();
    }
    if (calendar_)
        if (const auto start = LocalCalendar::startOfDay(*calendar_, instant)) {
            const auto date = table_->sameLocalDate(ms, hint_);
            std::tie(dayFrom_, dayUntil_) = date.value_or(std::pair{ms, ms});
            dayAnswer_ = millisecondsOf(*start);
            return *start;
        }
    // Beyond the calendar's range: count days with the offset in force, keeping the instant
    // itself where even that would overflow.
    if (ms <= -arithmeticLimit || ms >= arithmeticLimit)
        return instant;
    return instantFromMilliseconds(ms - sinceLocalMidnight(ms, table_->offsetAt(ms)));
}
