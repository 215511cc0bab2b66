// What the user sees and types: amounts, percents and days in the user's locale, and the
// fields of the year editor.
#include "analytics/CurrencyShape.h"
#include "analytics/Fmt.h"
#include "analytics/YearFieldText.h"

#include "LocalSettings.h"
#include "support/DecimalCommaLocale.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <random>
#include <string>
#include <vector>

using namespace std::string_literals;

// Each locale places signs and separators its own way (texts as ICU 72 gives them), the sign
// staying "$"; whole units round half to even.
TEST(Fmt, FormatsInTheUsersLocale)
{
    const std::string nbsp = "\u00A0";
    const std::pair<const char*, std::vector<std::string>> cases[] = {
        {"en_US", {"$1,234", "-$1,234", "$1,236", "$1,234.50", "12.3%", "Mar 5, 2025", "2025-03-05"}},
        {"de_DE", {"1.234" + nbsp + "$", "-1.234" + nbsp + "$", "1.236" + nbsp + "$", "1.234,50" + nbsp + "$", "12,3" + nbsp + "%",
                   "05.03.2025", "2025-03-05"}},
    };
    const Instant lateEvening = localTime(2025, 3, 5, 23, 30);
    for (const auto& [name, texts] : cases) {
        const ScopedLocale locale(name);
        std::vector<std::string> shown;
        for (const auto& text : {Fmt::currency(1234.5), Fmt::currency(-1234.5), Fmt::currency(1235.5), Fmt::currencyCents(1234.5),
                                 Fmt::percent(0.1234), Fmt::date(lateEvening), Fmt::isoDay(lateEvening)})
            shown.push_back(text.value_or("(none)"));
        EXPECT_EQ(shown, texts) << name;
    }
    const ScopedLocale english("en_US");
    EXPECT_EQ(std::vector({Fmt::percent(0.05), Fmt::currencyCents(0.125), Fmt::currencyCents(5)}), std::vector<std::optional<std::string>>({"5%", "$0.12", "$5.00"}));
    const ScopedLocale japanese("ja_JP"); // the yen has no cents, yet "$" and up to two decimals
    EXPECT_EQ(std::pair(Fmt::currencyCents(1234.567), Fmt::currencyCents(1234)), std::pair(std::optional<std::string>("$1,234.57"), std::optional<std::string>("$1,234")));
}

// Whole units written without ICU read exactly as ICU writes them, ties and signs included,
// wherever the shape is taken; locales of another shape (Indian grouping, other digits) keep
// ICU.
TEST(Fmt, CurrencyShapeWritesWhatIcuWrites)
{
    const std::pair<const char*, bool> locales[] = {{"en_US", true}, {"fr_CA", true}, {"de_CH", true}, {"nl_NL", true},
                                                    {"hi_IN", false}, {"es_ES", true}, {"ar_EG", false}};
    std::mt19937_64 random(7);
    for (const auto& [name, shaped] : locales) {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::NumberFormat> made(icu::NumberFormat::createCurrencyInstance(icu::Locale(name), status));
        auto* format = dynamic_cast<icu::DecimalFormat*>(made.get());
        ASSERT_TRUE(U_SUCCESS(status) && format) << name;
        format->setMaximumFractionDigits(0);
        const std::optional<CurrencyShape> shape = CurrencyShape::learn(*format);
        ASSERT_EQ(shape.has_value(), shaped) << name;
        for (int i = 0; shape && i < 20000; ++i) {
            const double drawn = std::ldexp(std::uniform_real_distribution(-1.0, 1.0)(random), int(random() % 52));
            const double value = i % 2 ? std::trunc(drawn) + 0.5 : drawn; // every other one a tie
            std::string written;
            icu::UnicodeString text;
            std::string expected;
            format->format(value, text).toUTF8String(expected);
            if (shape->write(value, written)) {
                ASSERT_EQ(written, expected) << name << " " << value;
            }
        }
    }
}

TEST(Fmt, DaysFollowTheTimeZone)
{
    const Instant instant = instantFromMilliseconds(1741136400000LL); // 2025-03-05 01:00 UTC
    for (const auto& [zoneId, isoDay, date] : {std::tuple{"America/Toronto", "2025-03-04", "Mar 4, 2025"}, std::tuple{"Asia/Tokyo", "2025-03-05", "Mar 5, 2025"}}) {
        const ScopedZone zone(zoneId);
        EXPECT_EQ(std::pair(Fmt::isoDay(instant), Fmt::date(instant)), std::pair(std::optional<std::string>(isoDay), std::optional<std::string>(date)));
    }
}

// Local midnight; where midnight is skipped the day begins at the switch, where it repeats
// at the first.
TEST(Fmt, ParseDayGivesLocalMidnight)
{
    for (const char* zoneId : {"America/Toronto", "Asia/Tokyo", "Europe/Berlin"}) {
        const ScopedZone zone(zoneId);
        for (const std::string& text : {"2025-03-05"s, "  2025-03-05\t"s, "\u00A02025-03-05\u3000"s})
            EXPECT_EQ(Fmt::parseDay(text), localTime(2025, 3, 5)) << zoneId << " '" << text << "'";
        EXPECT_EQ(Fmt::parseDay("2025-03-09"), localTime(2025, 3, 9)) << zoneId; // Toronto's change day
    }
    const std::tuple<const char*, const char*, long long> switches[] = {
        {"America/Sao_Paulo", "2018-11-04", 1541300400000LL}, // 01:00 BRST
        {"America/Havana", "2023-11-05", 1699156800000LL},    // 00:00 CDT
    };
    for (const auto& [zoneId, text, milliseconds] : switches) {
        const ScopedZone zone(zoneId);
        EXPECT_EQ(Fmt::parseDay(text), instantFromMilliseconds(milliseconds)) << zoneId;
    }
    for (const std::string& text : {""s, " "s, "03/05/2025"s, "2025-03-05 10:00"s, "2025-03-05\n"s, "\n2025-03-05"s, "2023-02-30"s,
                                    "2025-13-01"s, "2025-03-05x"s, "2025/03/05"s, "2025-03"s, "2025- 03-05"s, "2025-3-5"s})
        EXPECT_FALSE(Fmt::parseDay(text)) << "'" << text << "'";
}

// C literals only, whatever the process locale.
TEST(Fmt, FiniteNumberReadsCLiteralsOnly)
{
    const std::pair<std::string, std::optional<double>> cases[] = {
        {" 1234.5 ", 1234.5}, {"-12", -12}, {"+3e2", 300}, {"\t.5\u00A0", 0.5}, {"5.", 5}, {"0x1p4", 16},
        {"1,234", {}}, {"1,234.50", {}}, {"12,5", {}}, {"$100", {}}, {"12%", {}}, {"", {}}, {"   ", {}}, {"inf", {}},
        {"nan", {}}, {"1e999", {}}, {"\u22125", {}}, {"5\n", {}}, {"\n5", {}}, {"1 000", {}}, {"5e", {}}, {"5\0"s + "1", {}},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(Fmt::finiteNumber(text), value) << "'" << text << "'";
    const DecimalCommaLocale decimalComma;
    if (!decimalComma.active())
        GTEST_SKIP() << "no decimal-comma locale can be made here";
    EXPECT_EQ(Fmt::finiteNumber("1234.5"), 1234.5);
    EXPECT_FALSE(Fmt::finiteNumber("1234,5"));
}

TEST(YearFieldText, ReadYear)
{
    const std::pair<const char*, std::int32_t> cases[] = {
        {"2024", 2024}, {"  2024 ", 2024}, {"\t+2024\u00a0", 2024}, {"-44", -44}, {"2147483647", 2147483647},
        {"-2147483648", std::numeric_limits<std::int32_t>::min()},
        // Everything else is 0: empty, letters, inner blanks, other signs and separators,
        // beyond 32 bits, a line break (not a blank), non-ASCII digits.
        {"", 0}, {"   ", 0}, {"2024a", 0}, {"20 24", 0}, {"3000000000", 0}, {"2147483648", 0}, {"99999999999999999999", 0},
        {"2,024", 0}, {"2024.0", 0}, {"+", 0}, {"--5", 0}, {"2024\n", 0}, {"\u2212""5", 0}, {"\u0662\u0660", 0}};
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(YearFieldText::readYear(text), expected) << '"' << text << '"';
}

TEST(YearFieldText, ReadDecimal)
{
    const std::pair<const char*, double> cases[] = {
        {"0.215", 0.215}, {" 0.215\t", 0.215}, {"-0.05", -0.05}, {"+3", 3}, {"1e-2", 0.01}, {"2.5E3", 2500}, {".5", 0.5},
        {"5.", 5}, {"125000", 125000},
        {"21.5%", 0}, {"21,5", 0}, {"1,234.5", 0}, {"$100", 0}, {"", 0}, {" ", 0}, {".", 0}, {"e5", 0}, {"1e", 0},
        {"1e+", 0}, {"0x1p3", 0}, {"inf", 0}, {"nan", 0}, {"1e999", 0}, {"1 000", 0}, {"5\n", 0}, {"\u2212""5", 0}};
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(YearFieldText::readDecimal(text), expected) << '"' << text << '"';
}

// What load shows reads back to exactly the stored value, in its shortest form.
TEST(YearFieldText, ShownTextsReadBackExactly)
{
    EXPECT_EQ(YearFieldText::yearText(-7), "-7");
    EXPECT_EQ(YearFieldText::decimalText(-0.0), "");
    for (const double value : {0.1 + 0.2, -1234567.891, 1e20, 5e-324, std::numeric_limits<double>::max(), 1.0 / 3})
        EXPECT_EQ(YearFieldText::readDecimal(YearFieldText::decimalText(value)), value) << YearFieldText::decimalText(value);
    EXPECT_EQ(YearFieldText::decimalText(0.1 + 0.2), "0.30000000000000004");
}
