#include "analytics/DayStart.h"

#include "LocalSettings.h"

#include <unicode/basictz.h>
#include <unicode/strenum.h>
#include <unicode/tztrans.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace {
constexpr long long hour = 3'600'000LL;

// Instants around each of the zone's transitions in [from, until), ascending, then the same
// again shuffled so that the lookup cannot lean on its previous answer.
std::vector<long long> aroundTransitions(const char* zoneId, long long from, long long until, long long step, int stepsEachSide)
{
    std::unique_ptr<icu::TimeZone> zone(icu::TimeZone::createTimeZone(icu::UnicodeString::fromUTF8(zoneId)));
    const auto* basic = dynamic_cast<const icu::BasicTimeZone*>(zone.get());
    std::vector<long long> instants;
    icu::TimeZoneTransition transition;
    for (UDate at = static_cast<UDate>(from); basic && basic->getNextTransition(at, false, transition) && transition.getTime() < until;) {
        at = transition.getTime();
        for (int k = -stepsEachSide; k <= stepsEachSide; ++k)
            instants.push_back(static_cast<long long>(at) + k * step);
    }
    std::vector<long long> shuffled = instants;
    std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937_64(7));
    instants.insert(instants.end(), shuffled.begin(), shuffled.end());
    return instants;
}

// The number of instants at which DayStart and the ICU calendar disagree (the first few reported).
int mismatches(const char* zoneId, const std::vector<long long>& instants)
{
    const ScopedZone zone(zoneId);
    DayStart dayStart;
    CalendarDays calendar;
    int count = 0;
    for (const long long ms : instants) {
        const auto expected = calendar.startOfDay(instantFromMilliseconds(ms));
        const Instant actual = dayStart(instantFromMilliseconds(ms));
        if (expected && actual != *expected && ++count <= 3)
            ADD_FAILURE() << zoneId << " at " << ms << ": " << millisecondsOf(actual) << " instead of " << millisecondsOf(*expected);
    }
    return count;
}
} // namespace

// Around every transition from 1811 to 2103 west and east of UTC, with a 30-minute summer
// shift (Lord Howe), odd offsets, clocks that skipped or repeated midnight (Sao Paulo, Havana)
// or a whole day (Apia); around every transition of every canonical ICU zone from 1900 to
// 2040; from 0001-01-01 to beyond the end of the transition table (2400), at random and in order.
TEST(DayStart, MatchesTheCalendar)
{
    for (const char* zoneId : {"America/Toronto", "Europe/Berlin", "Asia/Tokyo", "Australia/Lord_Howe", "America/Sao_Paulo",
                               "America/Havana", "Pacific/Apia", "America/St_Johns", "Asia/Kathmandu", "Antarctica/Troll"})
        EXPECT_EQ(mismatches(zoneId, aroundTransitions(zoneId, -5'000'000'000'000LL, 4'200'000'000'000LL, 23 * 60'000LL, 80)), 0);

    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::StringEnumeration> zones(icu::TimeZone::createTimeZoneIDEnumeration(UCAL_ZONE_TYPE_CANONICAL_LOCATION, nullptr, nullptr, status));
    int zoneCount = 0;
    for (const char* zoneId = nullptr; (zoneId = zones->next(nullptr, status)); ++zoneCount)
        EXPECT_EQ(mismatches(zoneId, aroundTransitions(zoneId, -2'208'988'800'000LL, 2'208'988'800'000LL, 5 * hour, 6)), 0);
    EXPECT_GT(zoneCount, 300);

    const long long first = millisecondsOf(distantPast());
    const long long last = 16'000'000'000'000LL; // 2477
    std::vector<long long> instants{first, first - 1, 0, -1, last};
    std::mt19937_64 random(11);
    std::uniform_int_distribution<long long> anywhere(first, last);
    std::generate_n(std::back_inserter(instants), 4000, [&] { return anywhere(random); });
    std::vector<long long> ascending = instants;
    std::sort(ascending.begin(), ascending.end());
    instants.insert(instants.end(), ascending.begin(), ascending.end());
    for (const char* zoneId : {"America/Toronto", "Asia/Tokyo", "Australia/Lord_Howe", "America/Havana", "UTC"})
        EXPECT_EQ(mismatches(zoneId, instants), 0);
}

TEST(DayStart, InstantsBeyondTheCalendarStayInTheirDay)
{
    DayStart dayStart;
    for (const long long ms : {-4'000'000'000'000'000'000LL, -200'000'000'000'000'000LL, 200'000'000'000'000'000LL, 4'000'000'000'000'000'000LL}) {
        const long long start = millisecondsOf(dayStart(instantFromMilliseconds(ms)));
        EXPECT_TRUE(start <= ms && start > ms - 48 * hour) << ms;
    }
}
