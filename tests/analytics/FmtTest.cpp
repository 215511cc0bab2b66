#include "analytics/Fmt.h"

#include "LocalSettings.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <thread>
#include <vector>

using namespace std::string_literals;

namespace {
// ICU's no-break and narrow no-break spaces, as some locales group and place signs with them.
const std::string nbsp = "\u00A0";
const std::string narrowNbsp = "\u202F";
} // namespace

TEST(Fmt, UnitedStatesEnglish)
{
    const ScopedLocale locale("en_US");
    EXPECT_EQ(Fmt::currency(1234.5), "$1,234");
    EXPECT_EQ(Fmt::currency(1235.5), "$1,236");
    EXPECT_EQ(Fmt::currency(-1234567.89), "-$1,234,568");
    EXPECT_EQ(Fmt::currency(0.4), "$0");
    EXPECT_EQ(Fmt::currencyCents(1234.5), "$1,234.50");
    EXPECT_EQ(Fmt::currencyCents(0.125), "$0.12");
    EXPECT_EQ(Fmt::currencyCents(-5), "-$5.00");
    EXPECT_EQ(Fmt::percent(0.1234), "12.3%");
    EXPECT_EQ(Fmt::percent(0.05), "5%");
    EXPECT_EQ(Fmt::percent(-0.00049), "-0%");
    const ScopedZone zone("America/Toronto");
    EXPECT_EQ(Fmt::date(localTime(2025, 3, 5, 23, 30)), "Mar 5, 2025");
    EXPECT_EQ(Fmt::isoDay(localTime(2025, 3, 5, 23, 30)), "2025-03-05");
}

// Other locales place signs and separators their own way, the sign staying "$".
TEST(Fmt, FollowsTheLocale)
{
    struct Case {
        const char* locale;
        std::string currency, negativeCurrency, cents, percent, date;
    };
    const Case cases[] = {
        {"fr_CA", "1" + nbsp + "234" + nbsp + "$", "-1" + nbsp + "234" + nbsp + "$", "1" + nbsp + "234,50" + nbsp + "$", "12,3" + nbsp + "%", "5 mars 2025"},
        {"de_DE", "1.234" + nbsp + "$", "-1.234" + nbsp + "$", "1.234,50" + nbsp + "$", "12,3" + nbsp + "%", "05.03.2025"},
        {"en_CA", "$1,234", "-$1,234", "$1,234.50", "12.3%", "Mar 5, 2025"},
    };
    const ScopedZone zone("America/Toronto");
    for (const Case& c : cases) {
        const ScopedLocale locale(c.locale);
        EXPECT_EQ(Fmt::currency(1234.5), c.currency) << c.locale;
        EXPECT_EQ(Fmt::currency(-1234.5), c.negativeCurrency) << c.locale;
        EXPECT_EQ(Fmt::currencyCents(1234.5), c.cents) << c.locale;
        EXPECT_EQ(Fmt::percent(0.1234), c.percent) << c.locale;
        EXPECT_EQ(Fmt::date(localTime(2025, 3, 5, 12)), c.date) << c.locale;
        EXPECT_EQ(Fmt::isoDay(localTime(2025, 3, 5, 12)), "2025-03-05") << c.locale;
    }
}

// The cents formatter keeps the locale's currency (and its usual decimals), showing "$".
TEST(Fmt, CentsUseTheLocalesCurrencyDecimals)
{
    const ScopedLocale locale("ja_JP");
    EXPECT_EQ(Fmt::currencyCents(1234), "$1,234");
    EXPECT_EQ(Fmt::currencyCents(1234.567), "$1,234.57");
}

TEST(Fmt, DatesFollowTheTimeZone)
{
    const ScopedLocale locale("en_US");
    const Instant instant = instantFromMilliseconds(1741168800000LL - 9 * 3600000LL); // 2025-03-05 01:00 UTC
    {
        const ScopedZone zone("America/Toronto");
        EXPECT_EQ(Fmt::isoDay(instant), "2025-03-04");
        EXPECT_EQ(Fmt::date(instant), "Mar 4, 2025");
    }
    const ScopedZone zone("Asia/Tokyo");
    EXPECT_EQ(Fmt::isoDay(instant), "2025-03-05");
    EXPECT_EQ(Fmt::date(instant), "Mar 5, 2025");
}

TEST(Fmt, ParseDayGivesLocalMidnight)
{
    for (const char* zoneId : {"America/Toronto", "Asia/Tokyo", "Europe/Berlin"}) {
        const ScopedZone zone(zoneId);
        for (const std::string& text : {"2025-03-05"s, "  2025-03-05\t"s, "\u00A02025-03-05\u3000"s, "\t2025-03-05 "s})
            EXPECT_EQ(Fmt::parseDay(text), localTime(2025, 3, 5)) << zoneId << " '" << text << "'";
        EXPECT_EQ(Fmt::parseDay("2025-03-09"), localTime(2025, 3, 9)) << zoneId; // Toronto's change day
        EXPECT_EQ(Fmt::isoDay(*Fmt::parseDay("1999-12-31")), "1999-12-31") << zoneId;
    }
}

// Where midnight is skipped the day begins at the switch; where it repeats, at the first one.
TEST(Fmt, ParseDayOnMidnightClockChanges)
{
    {
        const ScopedZone zone("America/Sao_Paulo");
        EXPECT_EQ(Fmt::parseDay("2018-11-04"), instantFromMilliseconds(1541300400000LL)); // 01:00 BRST
    }
    const ScopedZone zone("America/Havana");
    EXPECT_EQ(Fmt::parseDay("2023-11-05"), instantFromMilliseconds(1699156800000LL)); // 00:00 CDT
}

TEST(Fmt, ParseDayRejectsAnythingElse)
{
    const ScopedZone zone("America/Toronto");
    for (const std::string& text : {""s, "   "s, "03/05/2025"s, "2025-03-05 10:00"s, "2025-03-05\n"s, "\n2025-03-05"s, "2023-02-30"s,
                                   "2025-13-01"s, "2025-03-05x"s, "2025/03/05"s, "March 5, 2025"s, "2025-03"s,
                                   "2025- 03-05"s, "2025-3-5"s, "+2025-03-05"s})
        EXPECT_FALSE(Fmt::parseDay(text)) << "'" << text << "'";
}

TEST(Fmt, FiniteNumberReadsCLiteralsOnly)
{
    struct Case {
        std::string text;
        std::optional<double> value;
    };
    const Case cases[] = {
        {" 1234.5 ", 1234.5},     {"-12", -12},           {"+3e2", 300},        {"\t0.5\u00A0", 0.5},  {".5", 0.5},
        {"5.", 5},                {"1E-2", 0.01},         {"0x1p4", 16},        {"-0", -0.0},         {"1,234", std::nullopt},
        {"1,234.50", std::nullopt}, {"12,5", std::nullopt}, {"$100", std::nullopt}, {"12%", std::nullopt}, {"", std::nullopt},
        {"   ", std::nullopt},    {"inf", std::nullopt},  {"-infinity", std::nullopt}, {"nan", std::nullopt}, {"1e999", std::nullopt},
        {"\u22125", std::nullopt}, {"5\n", std::nullopt},  {"\n5", std::nullopt}, {"5\r", std::nullopt}, {"1 000", std::nullopt},
        {"e5", std::nullopt},     {"5e", std::nullopt},   {"0x", std::nullopt},  {"5\0"s + "1", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Fmt::finiteNumber(c.text), c.value) << "'" << c.text << "'";
}

// The decimal point is the full stop whatever the process's numeric locale says.
TEST(Fmt, FiniteNumberIgnoresTheProcessLocale)
{
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8") && !std::setlocale(LC_NUMERIC, "fr_FR.UTF-8"))
        GTEST_SKIP() << "no locale with a decimal comma is installed";
    EXPECT_EQ(Fmt::finiteNumber("1234.5"), 1234.5);
    EXPECT_FALSE(Fmt::finiteNumber("1234,5"));
    std::setlocale(LC_NUMERIC, previous.c_str());
}

TEST(Fmt, FormattersServeManyThreads)
{
    const ScopedLocale locale("en_US");
    const ScopedZone zone("America/Toronto");
    std::vector<std::thread> threads;
    std::vector<int> failures(4, 0);
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([t, &failures] {
            for (int i = 0; i < 300; ++i) {
                const Instant day = localTime(2000 + i % 30, 1 + i % 12, 1 + i % 28);
                if (Fmt::parseDay(*Fmt::isoDay(day)) != day || Fmt::currency(1234.5) != "$1,234" || Fmt::percent(0.05) != "5%" || !Fmt::date(day))
                    ++failures[t];
            }
        });
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(failures, std::vector<int>(4, 0));
}
