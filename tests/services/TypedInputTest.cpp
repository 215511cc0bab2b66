#include "analytics/LocalSettings.h"
#include "services/TypedInput.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

// What a person types or pastes in a locale, and the value read, or nothing when refused.
struct Typed {
    const char* locale;
    const char* text;
    std::optional<double> value;
};

const Typed amounts[] = {
    // Copied from a statement or from Corvanta itself.
    {"en_US", "1234.56", 1234.56},
    {"en_US", "1,234.56", 1234.56},
    {"en_US", "$1,234.56", 1234.56},
    {"en_US", "1234.56 $", 1234.56},
    {"en_US", " -1,000\t", -1000},
    {"en_US", "\u22121,000", -1000},
    {"en_US", "(1,000)", -1000},
    {"en_US", "($1,000.50)", -1000.5},
    {"en_US", "-$5", -5},
    {"en_US", "+3e2", 300},
    {"en_US", "1e3", 1000},
    {"en_US", "1242000.0", 1242000},
    {"en_US", "1.234", 1.234},
    {"en_US", "0.1", 0.1},
    {"en_US", "-0", 0},
    {"fr_CA", "1 234,56", 1234.56},
    {"fr_CA", "1\u00A0234,56 $", 1234.56},
    {"fr_CA", "1\u202F234,56", 1234.56},
    {"fr_CA", "-1 000", -1000},
    {"fr_CA", "\u22121 000", -1000},
    {"fr_CA", "1242000.0", 1242000},
    {"fr_CA", "1242000,5", 1242000.5},
    {"fr_CA", "500,25", 500.25},
    {"de_DE", "1.234,56", 1234.56},
    {"de_DE", "1.234.567", 1234567},
    {"de_DE", "1242000.0", 1242000},
    {"de_DE", "1242000,5", 1242000.5},
    {"de_DE", "0.123", 0.123},
    {"de_DE", "1234.567", 1234.567},
    {"de_DE", "12,5 \u20AC", 12.5},
    // Refused.
    {"en_US", "", std::nullopt},
    {"en_US", "1,23", std::nullopt},
    {"en_US", "12,34,5", std::nullopt},
    {"en_US", "1.2.3", std::nullopt},
    {"en_US", "1 234.56", std::nullopt},
    {"en_US", "abc", std::nullopt},
    {"en_US", "nan", std::nullopt},
    {"en_US", "inf", std::nullopt},
    {"en_US", "0x10", std::nullopt},
    {"en_US", "1e400", std::nullopt},
    {"en_US", "(-5)", std::nullopt},
    {"en_US", "(5", std::nullopt},
    {"en_US", "$5$", std::nullopt},
    {"en_US", "--5", std::nullopt},
    {"en_US", "5\n", std::nullopt},
    {"en_US", "1,000e3", std::nullopt},
    {"en_US", "21.5%", std::nullopt},
    {"fr_CA", "1,234.5,6", std::nullopt},
    {"fr_CA", "1,234.56", std::nullopt},
    {"fr_CA", "abc", std::nullopt},
    {"de_DE", "1,234.5,6", std::nullopt},
    {"de_DE", "1.234", std::nullopt},
    {"de_DE", "-12.500", std::nullopt},
    {"de_DE", "1.23", 1.23},
};

TEST(TypedInput, ReadsAmountsExactlyOrRefusesThem)
{
    for (const Typed& typed : amounts) {
        ScopedLocale locale(typed.locale);
        const Result<double> read = TypedInput::amount(QString::fromUtf8(typed.text));
        SCOPED_TRACE(std::string(typed.locale) + " \"" + typed.text + "\"");
        ASSERT_EQ(read.ok(), typed.value.has_value()) << (read.ok() ? "" : read.error().message.toStdString());
        if (read.ok()) {
            EXPECT_EQ(read.value(), *typed.value);
            EXPECT_FALSE(std::signbit(read.value()) && read.value() == 0);
        }
    }
}

// Each refusal says why: the ambiguous one names both readings, the others show an example in
// the locale's own writing.
TEST(TypedInput, RefusalsSayWhy)
{
    const auto reason = [](const char* locale, const char* text) {
        ScopedLocale scoped(locale);
        return TypedInput::amount(QString::fromUtf8(text)).error().message;
    };
    EXPECT_EQ(reason("en_US", "abc"), QStringLiteral("Enter a number such as -1000 or 1,250.50"));
    EXPECT_EQ(reason("de_DE", "abc"), QStringLiteral("Enter a number such as -1000 or 1.250,50"));
    EXPECT_EQ(reason("de_DE", "1.234"), QStringLiteral("1.234 is ambiguous: write 1234 or 1,234"));
    EXPECT_EQ(reason("en_US", "1e400"), QStringLiteral("The number is too large."));
}

TEST(TypedInput, ReadsFractionsAsDecimalsOrPerCent)
{
    ScopedLocale locale("en_US");
    const std::pair<const char*, double> read[] = {
        {"21.5%", 0.215}, {"21.5 %", 0.215}, {"0.215", 0.215}, {"-5.8%", -0.058}, {"\u22125.8 %", -0.058}, {"1e-2", 0.01}, {"", 0},
    };
    for (const auto& [text, value] : read)
        EXPECT_EQ(TypedInput::fraction(QString::fromUtf8(text)).value(), value) << text;
    for (const char* text : {"abc", "21.5%%", "$5%"})
        EXPECT_FALSE(TypedInput::fraction(QString::fromUtf8(text)).ok()) << text;
    EXPECT_EQ(TypedInput::percentShown(0.215), QStringLiteral("= 21.5 %"));
    EXPECT_EQ(TypedInput::optionalAmount(QStringLiteral(" \u00A0")).value(), 0);
}

} // namespace
