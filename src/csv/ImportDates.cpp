#include "csv/ImportDates.h"
#include "csv/CSVPorter.h"
#include "csv/DateShapes.h"
#include "csv/FieldText.h"

#include <unicode/gregocal.h>
#include <unicode/locid.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstdint>
#include <limits>
#include <algorithm>
#include <array>

namespace CSVPorter {
namespace {

constexpr std::size_t timedPattern = 4; // "yyyy-MM-dd'T'HH:mm:ss" has a time of day

Instant instantFromUDate(UDate date) { return instantFromMilliseconds(std::llround(date)); }

icu::Calendar* gregorianIn(const icu::TimeZone& zone, UErrorCode& status)
{
    return new icu::GregorianCalendar(zone.clone(), icu::Locale("en_US_POSIX"), status);
}

struct ChainMatch {
    UDate date;
    std::size_t pattern;
};

// The first formatter that reads the whole text.
std::optional<ChainMatch> firstMatch(const std::vector<std::unique_ptr<icu::SimpleDateFormat>>& formatters,
                                     const icu::UnicodeString& text)
{
    for (std::size_t i = 0; i < formatters.size(); ++i) {
        icu::ParsePosition position(0);
        const UDate date = formatters[i]->parse(text, position);
        if (position.getErrorIndex() < 0 && position.getIndex() == text.length())
            return ChainMatch{date, i};
    }
    return std::nullopt;
}

} // namespace

std::vector<std::unique_ptr<icu::SimpleDateFormat>> importDateFormatters(const icu::TimeZone& zone)
{
    std::vector<std::unique_ptr<icu::SimpleDateFormat>> formatters;
    for (const std::string_view pattern : importDatePatterns) {
        UErrorCode status = U_ZERO_ERROR;
        auto formatter = std::make_unique<icu::SimpleDateFormat>(
            icu::UnicodeString::fromUTF8(icu::StringPiece(pattern.data(), static_cast<int32_t>(pattern.size()))),
            icu::Locale("en_US_POSIX"), status);
        formatter->adoptCalendar(gregorianIn(zone, status));
        formatter->setLenient(false);
        if (U_FAILURE(status))
            continue; // cannot happen with these fixed patterns; a missing one simply never matches
        formatters.push_back(std::move(formatter));
    }
    return formatters;
}

struct ImportDateReader::State {
    std::unique_ptr<icu::TimeZone> zone;
    std::vector<std::unique_ptr<icu::SimpleDateFormat>> formatters;
    // Built on first need: the same chain in UTC (which has no missing wall times), used to
    // recognise a day that the strict local chain refused only because its midnight is missing.
    std::vector<std::unique_ptr<icu::SimpleDateFormat>> utcFormatters;
    // Strict calendar of the fast forms (the same settings as the formatters' calendars).
    std::unique_ptr<icu::Calendar> strict;
    // Lenient calendar that moves a missing wall time to the next valid one.
    std::unique_ptr<icu::Calendar> nextValid;
    // Local midnights by year, each year as runs of days whose midnight lies the same number
    // of seconds from the day's UTC midnight (usually three runs: standard, summer, standard
    // time), in a direct-mapped cache indexed by year (128 consecutive years never collide).
    // A handful of runs per year stays in the processor's first-level cache, where a slot per
    // day, read at random dates, missed the caches on most rows.
    struct MidnightRun {
        int firstDay = 0; // of the year, from 0
        std::int32_t offsetSeconds = 0;
    };
    struct MidnightYear {
        int year = 0; // 0: not built
        std::vector<MidnightRun> runs;
    };
    // `missing` marks days whose midnight does not exist (the chain handles them), `uncached`
    // days whose distance is not whole seconds (asked of the calendar each time).
    static constexpr std::int32_t missing = std::numeric_limits<std::int32_t>::min();
    static constexpr std::int32_t uncached = missing + 1;
    std::array<MidnightYear, 128> midnightYears{};

    const std::vector<MidnightRun>& midnightRuns(int year);
    std::optional<Instant> strictInstant(const CivilDateTime& when);
    std::optional<Instant> midnight(const CivilDateTime& day);
    std::optional<Reading> startOfMissingMidnightDay(const icu::UnicodeString& text);
    std::optional<Reading> readWithFormatters(std::string_view text);
};

std::optional<Instant> ImportDateReader::State::strictInstant(const CivilDateTime& when)
{
    strict->clear();
    strict->set(when.year, when.month - 1, when.day, when.hour, when.minute, when.second);
    UErrorCode status = U_ZERO_ERROR;
    const UDate date = strict->getTime(status);
    if (U_FAILURE(status))
        return std::nullopt;
    return instantFromUDate(date);
}

namespace {

long long utcMidnightOf(std::chrono::sys_days day) { return std::chrono::duration_cast<std::chrono::milliseconds>(day.time_since_epoch()).count(); }

std::chrono::sys_days civilDay(int year, int month, int day)
{
    return std::chrono::year_month_day(std::chrono::year(year), std::chrono::month(static_cast<unsigned>(month)),
                                       std::chrono::day(static_cast<unsigned>(day)));
}

} // namespace

const std::vector<ImportDateReader::State::MidnightRun>& ImportDateReader::State::midnightRuns(int year)
{
    MidnightYear& slot = midnightYears[static_cast<std::size_t>(year) % midnightYears.size()];
    if (slot.year == year)
        return slot.runs;
    slot = {year, {}};
    const std::chrono::sys_days first = civilDay(year, 1, 1);
    const std::chrono::sys_days end = civilDay(year + 1, 1, 1);
    for (std::chrono::sys_days day = first; day < end; day += std::chrono::days(1)) {
        const std::chrono::year_month_day civil(day);
        CivilDateTime midnight;
        midnight.year = year;
        midnight.month = static_cast<int>(static_cast<unsigned>(civil.month()));
        midnight.day = static_cast<int>(static_cast<unsigned>(civil.day()));
        const std::optional<Instant> instant = strictInstant(midnight);
        const long long offset = instant ? millisecondsOf(*instant) - utcMidnightOf(day) : 0;
        const std::int32_t offsetSeconds = !instant                                                                  ? missing
                                           : offset % 1000 == 0 && std::abs(offset / 1000) < 1'000'000'000 ? static_cast<std::int32_t>(offset / 1000)
                                                                                                             : uncached;
        if (slot.runs.empty() || slot.runs.back().offsetSeconds != offsetSeconds)
            slot.runs.push_back({static_cast<int>((day - first).count()), offsetSeconds});
    }
    return slot.runs;
}

std::optional<Instant> ImportDateReader::State::midnight(const CivilDateTime& day)
{
    const std::chrono::sys_days civil = civilDay(day.year, day.month, day.day);
    const int dayOfYear = static_cast<int>((civil - civilDay(day.year, 1, 1)).count());
    const std::vector<MidnightRun>& runs = midnightRuns(day.year);
    const auto run = std::find_if(runs.rbegin(), runs.rend(), [dayOfYear](const MidnightRun& r) { return r.firstDay <= dayOfYear; });
    if (run->offsetSeconds == missing)
        return std::nullopt;
    if (run->offsetSeconds == uncached)
        return strictInstant(day);
    return instantFromMilliseconds(utcMidnightOf(civil) + run->offsetSeconds * 1000LL);
}

std::optional<ImportDateReader::Reading> ImportDateReader::State::startOfMissingMidnightDay(const icu::UnicodeString& text)
{
    if (utcFormatters.empty()) {
        utcFormatters = importDateFormatters(*icu::TimeZone::getGMT());
        UErrorCode status = U_ZERO_ERROR;
        nextValid.reset(gregorianIn(*zone, status));
        nextValid->setLenient(true);
        nextValid->setSkippedWallTimeOption(UCAL_WALLTIME_NEXT_VALID);
    }
    const std::optional<ChainMatch> match = firstMatch(utcFormatters, text);
    if (!match || match->pattern == timedPattern)
        return std::nullopt;
    UErrorCode status = U_ZERO_ERROR;
    icu::GregorianCalendar utc(icu::TimeZone::getGMT()->clone(), icu::Locale("en_US_POSIX"), status);
    utc.setTime(match->date, status);
    nextValid->clear();
    nextValid->set(utc.get(UCAL_YEAR, status),
                   utc.get(UCAL_MONTH, status), utc.get(UCAL_DATE, status));
    const UDate date = nextValid->getTime(status);
    if (U_FAILURE(status))
        return std::nullopt;
    return Reading{instantFromUDate(date), match->pattern};
}

ImportDateReader::ImportDateReader(const icu::TimeZone& zone) : state_(std::make_unique<State>())
{
    state_->zone.reset(zone.clone());
    state_->formatters = importDateFormatters(zone);
    UErrorCode status = U_ZERO_ERROR;
    state_->strict.reset(gregorianIn(zone, status));
    state_->strict->setLenient(false);
}

ImportDateReader::~ImportDateReader() = default;

std::optional<Instant> ImportDateReader::read(std::string_view field)
{
    const std::optional<Reading> reading = readNamingPattern(field);
    return reading ? std::optional(reading->instant) : std::nullopt;
}

std::optional<ImportDateReader::Reading> ImportDateReader::readNamingPattern(std::string_view field)
{
    const std::string_view text = trimmed(field);
    if (const std::optional<CivilDateTime> canonical = canonicalDate(text)) {
        const std::optional<Instant> instant = canonical->hasTime ? state_->strictInstant(*canonical) : state_->midnight(*canonical);
        if (instant)
            return Reading{*instant, canonical->pattern};
    }
    return state_->readWithFormatters(text);
}

std::optional<Instant> ImportDateReader::readWithFormatters(std::string_view text)
{
    const std::optional<Reading> reading = state_->readWithFormatters(text);
    return reading ? std::optional(reading->instant) : std::nullopt;
}

std::optional<ImportDateReader::Reading> ImportDateReader::State::readWithFormatters(std::string_view text)
{
    if (text.empty())
        return std::nullopt;
    const icu::UnicodeString unicode = icu::UnicodeString::fromUTF8(
        icu::StringPiece(text.data(), static_cast<int32_t>(std::min<std::size_t>(text.size(), INT32_MAX))));
    if (const std::optional<ChainMatch> match = firstMatch(formatters, unicode))
        return Reading{instantFromUDate(match->date), match->pattern};
    return startOfMissingMidnightDay(unicode);
}

const icu::TimeZone& importTimeZone()
{
    static const std::unique_ptr<icu::TimeZone> zone(icu::TimeZone::createDefault());
    return *zone;
}

ImportDateReader& threadImportDateReader()
{
    thread_local ImportDateReader reader(importTimeZone());
    return reader;
}

std::optional<Instant> parseDate(std::string_view field) { return threadImportDateReader().read(field); }

} // namespace CSVPorter
