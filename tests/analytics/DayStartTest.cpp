#include "analytics/DayStart.h"

#include "LocalSettings.h"

#include <unicode/basictz.h>
#include <unicode/strenum.h>
#include <unicode/tztrans.h>

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {
constexpr long long hourMs = 3'600'000LL;
constexpr long long year1900 = -2'208'988'800'000LL;
constexpr long long year2040 = 2'208'988'800'000LL;

// The zone's transitions in [from, until), read from ICU.
std::vector<long long> transitionsOf(const char* zoneId, long long from, long long until)
{
    std::unique_ptr<icu::TimeZone> zone(icu::TimeZone::createTimeZone(icu::UnicodeString::fromUTF8(zoneId)));
    const auto* basic = dynamic_cast<const icu::BasicTimeZone*>(zone.get());
    std::vector<long long> transitions;
    icu::TimeZoneTransition transition;
    UDate at = static_cast<UDate>(from);
    while (basic && basic->getNextTransition(at, false, transition) && transition.getTime() < static_cast<UDate>(until)) {
        at = transition.getTime();
        transitions.push_back(static_cast<long long>(at));
    }
    return transitions;
}

// Compares DayStart with the calendar at every instant given; returns the number of mismatches
// (reporting the first few).
int mismatches(const char* zoneId, const std::vector<long long>& instants)
{
    const ScopedZone zone(zoneId);
    DayStart dayStart;
    CalendarDays calendar;
    int count = 0;
    for (const long long ms : instants) {
        const Instant instant = instantFromMilliseconds(ms);
        const auto expected = calendar.startOfDay(instant);
        if (!expected)
            continue;
        const Instant actual = dayStart(instant);
        if (actual != *expected && ++count <= 3)
            ADD_FAILURE() << zoneId << " at " << ms << ": " << millisecondsOf(actual) << " instead of " << millisecondsOf(*expected);
    }
    return count;
}

// Instants around every transition (both sides, over more than a day) in ascending order,
// then the same again in random order so that the lookup cannot lean on its last answer.
std::vector<long long> aroundTransitions(const std::vector<long long>& transitions, long long step, int stepsEachSide)
{
    std::vector<long long> instants;
    for (const long long at : transitions)
        for (int k = -stepsEachSide; k <= stepsEachSide; ++k)
            instants.push_back(at + k * step);
    std::vector<long long> shuffled = instants;
    std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937_64(7));
    instants.insert(instants.end(), shuffled.begin(), shuffled.end());
    return instants;
}
} // namespace

// Zones west and east of UTC, a 30-minute daylight shift (Lord Howe), half-hour offsets, and
// zones whose clocks skipped or repeated midnight (Sao Paulo, Havana), or a whole day (Apia).
TEST(DayStart, MatchesTheCalendarAroundEveryTransition)
{
    for (const char* zoneId : {"America/Toronto", "Europe/Berlin", "Asia/Tokyo", "Australia/Lord_Howe", "America/Sao_Paulo",
                               "America/Havana", "Pacific/Apia", "America/St_Johns", "Asia/Kathmandu", "Antarctica/Troll"}) {
        const std::vector<long long> transitions = transitionsOf(zoneId, -5'000'000'000'000LL, 4'200'000'000'000LL);
        EXPECT_EQ(mismatches(zoneId, aroundTransitions(transitions, 23 * 60'000LL, 80)), 0) << zoneId;
    }
}

// From 0001-01-01 to beyond the end of the transition table, in order and at random.
TEST(DayStart, MatchesTheCalendarOverAWideRange)
{
    const long long first = millisecondsOf(distantPast());
    const long long last = 16'000'000'000'000LL; // year 2477
    std::vector<long long> instants{first, first + 1, first - 1, 0, -1, last};
    std::mt19937_64 random(11);
    std::uniform_int_distribution<long long> anywhere(first, last);
    for (int i = 0; i < 4000; ++i)
        instants.push_back(anywhere(random));
    std::vector<long long> ascending = instants;
    std::sort(ascending.begin(), ascending.end());
    instants.insert(instants.end(), ascending.begin(), ascending.end());
    for (const char* zoneId : {"America/Toronto", "Europe/Berlin", "Asia/Tokyo", "Australia/Lord_Howe", "America/Havana", "UTC"})
        EXPECT_EQ(mismatches(zoneId, instants), 0) << zoneId;
}

// Every canonical zone of ICU, around its transitions of the twentieth century onwards.
TEST(DayStart, MatchesTheCalendarInEveryZone)
{
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::StringEnumeration> zones(icu::TimeZone::createTimeZoneIDEnumeration(UCAL_ZONE_TYPE_CANONICAL_LOCATION, nullptr, nullptr, status));
    ASSERT_TRUE(U_SUCCESS(status));
    int zoneCount = 0;
    while (const char* zoneId = zones->next(nullptr, status)) {
        ++zoneCount;
        EXPECT_EQ(mismatches(zoneId, aroundTransitions(transitionsOf(zoneId, year1900, year2040), 5 * hourMs, 6)), 0) << zoneId;
    }
    EXPECT_GT(zoneCount, 300);
}

// The table answers nearly everything itself; only days touched by a transition need the calendar.
TEST(DayStart, TableAnswersOrdinaryDays)
{
    std::unique_ptr<icu::TimeZone> toronto(icu::TimeZone::createTimeZone(u"America/Toronto"));
    const auto table = DayStartTable::of(*toronto);
    EXPECT_EQ(table, DayStartTable::of(*toronto));
    std::mt19937_64 random(3);
    std::uniform_int_distribution<long long> recent(946'684'800'000LL, 1'893'456'000'000LL); // 2000 to 2030
    std::size_t hint = 0;
    int answered = 0;
    for (int i = 0; i < 10000; ++i)
        answered += table->quickStartOfDay(recent(random), hint).has_value();
    EXPECT_GT(answered, 9900);
}

TEST(DayStart, ExtremeInstantsStayInTheirDay)
{
    const ScopedZone zone("America/Toronto");
    DayStart dayStart;
    for (const long long ms : {-4'000'000'000'000'000'000LL, -200'000'000'000'000'000LL, 200'000'000'000'000'000LL, 4'000'000'000'000'000'000LL}) {
        const long long start = millisecondsOf(dayStart(instantFromMilliseconds(ms)));
        EXPECT_LE(start, ms);
        EXPECT_GT(start, ms - 2 * 24 * hourMs);
    }
}
