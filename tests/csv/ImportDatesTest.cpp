#include "csv/CSVPorter.h"
#include "csv/ImportDates.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <tuple>
#include <vector>

using CSVPorter::ImportDateReader;

namespace {

Instant utc(int year, unsigned month, unsigned day, int hour = 0, int minute = 0)
{
    using namespace std::chrono;
    return time_point_cast<milliseconds>(sys_days{std::chrono::year{year} / month / day} + hours{hour} + minutes{minute});
}

std::unique_ptr<icu::TimeZone> zone(const char* name)
{
    return std::unique_ptr<icu::TimeZone>(icu::TimeZone::createTimeZone(icu::UnicodeString::fromUTF8(name)));
}

TEST(DateParser, ReadsTheInstantOrRefuses)
{
    const std::tuple<const char*, std::string, std::optional<Instant>> cases[] = {
        // Every pattern, in a zone west of UTC (EDT, UTC-4) and one east (JST, UTC+9).
        {"America/Toronto", "2026-06-04", utc(2026, 6, 4, 4)},
        {"America/Toronto", " 2026/06/04\t", utc(2026, 6, 4, 4)},
        {"America/Toronto", "06/04/2026", utc(2026, 6, 4, 4)},
        {"America/Toronto", "6/4/2026", utc(2026, 6, 4, 4)},
        {"America/Toronto", "2026-06-04T09:30:00", utc(2026, 6, 4, 13, 30)},
        {"America/Toronto", "Jun 4, 2026", utc(2026, 6, 4, 4)},
        {"America/Toronto", "4 Jun 2026", utc(2026, 6, 4, 4)},
        {"America/Toronto", "jUNE 4, 2026", utc(2026, 6, 4, 4)},
        {"America/Toronto", "2026-01-15", utc(2026, 1, 15, 5)}, // EST, UTC-5
        {"Asia/Tokyo", "2026-06-04", utc(2026, 6, 3, 15)},
        {"Asia/Tokyo", "12/31/2025", utc(2025, 12, 30, 15)},
        {"Asia/Tokyo", "2026-06-04T09:30:00", utc(2026, 6, 4, 0, 30)},
        {"Europe/Berlin", "2026-03-29T01:59:59", utc(2026, 3, 29, 0, 59) + std::chrono::seconds{59}},
        // Across daylight-saving changes: the day before and after Toronto's spring change, a
        // missing wall time, and the repeated hour in autumn (read as the later, standard-time one).
        {"America/Toronto", "2026-03-08", utc(2026, 3, 8, 5)},
        {"America/Toronto", "2026-03-09", utc(2026, 3, 9, 4)},
        {"America/Toronto", "2026-03-08T02:30:00", std::nullopt},
        {"America/Toronto", "2026-03-08T03:30:00", utc(2026, 3, 8, 7, 30)},
        {"America/Toronto", "2026-11-01T01:30:00", utc(2026, 11, 1, 6, 30)},
        // A day whose midnight is skipped reads as its first moment, 01:00 (in every pattern).
        {"America/Havana", "2025-03-09", utc(2025, 3, 9, 5)},
        {"America/Havana", "Mar 9, 2025", utc(2025, 3, 9, 5)},
        {"America/Havana", "2025-03-09T00:30:00", std::nullopt},
        {"America/Santiago", "09/07/2025", utc(2025, 9, 7, 4)},
    };
    for (const auto& [zoneName, text, instant] : cases)
        EXPECT_EQ(ImportDateReader(*zone(zoneName)).read(text), instant) << zoneName << " " << text;
    ImportDateReader toronto(*zone("America/Toronto"));
    for (const char* text : {"04.06.2026", "2023-02-30", "2026-13-01", "2026-06-04 10:00", "2026-06-04T24:00:00", "Jun 4,2026", "",
                             "2026-06-04\n"})
        EXPECT_EQ(toronto.read(text), std::nullopt) << text;
}

// Texts near the canonical forms: right ones, impossible days and months, other digit counts,
// early years (ICU's calendar is Julian before 1582), two-digit years, case, punctuation,
// and random edits of all of these.
std::vector<std::string> generatedDateTexts(std::mt19937& random, int count)
{
    static const char* months[] = {"Jan", "feb", "MAR", "April", "May", "june", "Jul", "AUGUST", "Sep", "October", "Nov", "december", "Sept", "Ju"};
    std::uniform_int_distribution<int> year(1500, 10100), month(0, 13), day(0, 32), hour(0, 25), pick(0, 99);
    const auto two = [](int v) { return (v < 10 ? "0" : "") + std::to_string(v); };
    std::vector<std::string> texts;
    for (int i = 0; i < count; ++i) {
        const int y = pick(random) < 10 ? pick(random) : year(random);
        const int m = month(random), d = day(random);
        const std::string yy = pick(random) < 80 ? std::to_string(y) : two(y % 100);
        std::string text;
        switch (i % 8) {
        case 0: text = yy + "-" + two(m) + "-" + two(d); break;
        case 1: text = yy + "/" + two(m) + "/" + (pick(random) < 50 ? two(d) : std::to_string(d)); break;
        case 2: text = two(m) + "/" + two(d) + "/" + yy; break;
        case 3: text = std::to_string(m) + "/" + std::to_string(d) + "/" + yy; break;
        case 4: text = yy + "-" + two(m) + "-" + two(d) + "T" + two(hour(random)) + ":" + two(hour(random) * 2) + ":" + two(hour(random) * 2 + 11); break;
        case 5: text = std::string(months[pick(random) % 14]) + " " + std::to_string(d) + ", " + yy; break;
        case 6: text = std::to_string(d) + " " + months[pick(random) % 14] + " " + yy; break;
        default: text = std::string(months[pick(random) % 14]) + "  " + two(d) + ", " + yy; break;
        }
        const int edits = pick(random) < 60 ? 0 : 1 + pick(random) % 3;
        for (int e = 0; e < edits && !text.empty(); ++e) {
            const std::size_t at = static_cast<std::size_t>(pick(random)) % text.size();
            const char replacement = " -/T:,0123456789aJ"[pick(random) % 18];
            switch (pick(random) % 3) {
            case 0: text[at] = replacement; break;
            case 1: text.insert(at, 1, replacement); break;
            default: text.erase(at, 1); break;
            }
        }
        texts.push_back(text);
    }
    return texts;
}

// The direct reading of the common forms gives exactly what the formatter chain gives,
// in zones west and east of UTC and in zones whose daylight-saving change skips midnight.
TEST(DateParser, FastFormsAgreeWithTheFormatterChain)
{
    std::mt19937 random(20260604);
    const std::vector<std::string> texts = generatedDateTexts(random, 4000);
    for (const char* name : {"America/Toronto", "Asia/Tokyo", "America/Havana", "America/Santiago", "Australia/Lord_Howe"}) {
        ImportDateReader reader(*zone(name));
        int readable = 0;
        for (const std::string& text : texts) {
            const std::optional<Instant> reference = reader.readWithFormatters(text);
            readable += reference.has_value();
            EXPECT_EQ(reader.read(text), reference) << name << " '" << text << "'";
        }
        EXPECT_GT(readable, 1000) << name; // the generator mostly makes real dates
    }
}

} // namespace
