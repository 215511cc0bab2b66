#include "csv/ImportDates.h"
#include "csv/CSVPorter.h"
#include "csv/DateShapes.h"
#include "csv/FieldText.h"

#include <unicode/gregocal.h>
#include <unicode/locid.h>

#include <cmath>
#include <cstdint>
#include <limits>
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
    // Local midnight per day in a direct-mapped cache indexed by day number (372 per year, so
    // 88 consecutive years never collide). `missing` marks a day whose midnight does not exist
    // (the chain handles it); key 0 an empty slot.
    struct Midnight {
        std::int32_t key = 0;
        long long milliseconds = 0;
    };
    static constexpr long long missing = std::numeric_limits<long long>::min();
    std::array<Midnight, 32768> midnights{};

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

std::optional<Instant> ImportDateReader::State::midnight(const CivilDateTime& day)
{
    const std::int32_t key = day.year * 372 + day.month * 31 + day.day;
    Midnight& slot = midnights[static_cast<std::size_t>(key) % midnights.size()];
    if (slot.key != key) {
        const std::optional<Instant> instant = strictInstant(day);
        slot = {key, instant ? millisecondsOf(*instant) : missing};
    }
    if (slot.milliseconds == missing)
        return std::nullopt;
    return instantFromMilliseconds(slot.milliseconds);
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
