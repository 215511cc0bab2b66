#include "csv/CSVPorter.h"
#include "support/DecimalCommaLocale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>

using CSVPorter::parseNumber;
using CSVPorter::unescape;

namespace {

// Accounting and currency forms are read; anything else is refused, never guessed at.
TEST(NumberParser, ReadsTheAmountOrRefuses)
{
    const std::pair<std::string, double> readable[] = {
        {" \t1234.5\xC2\xA0 ", 1234.5},          // blanks, tab and no-break space trimmed
        {"(1,234.50)", -1234.5}, {"(720.92)", -720.92}, {"(-5)", 5.0}, {"( 5 )", -5.0},
        {"$1,234", 1234.0}, {"-$5", -5.0}, {"$ -5", -5.0},
        {"1,5", 15.0},                            // a comma is always a thousands separator
        {"1e3", 1000.0}, {"+3e2", 300.0}, {".5", 0.5}, {"5.", 5.0},
        {"0x1p3", 8.0},                           // the C library's hexadecimal form
        {"1e-400", 0.0},                          // underflow is a finite number (the extremes: the round trip)
    };
    for (const auto& [text, value] : readable)
        EXPECT_EQ(parseNumber(text), value) << text;
    const std::string refused[] = {
        "", "   ", "abc", "1e999", "-1e999", "inf", "nan", "()", "(5", "12%",
        "\xE2\x88\x92" "5",                       // U+2212 minus sign
        "5\n", "\n5",
        "(\t5)",                                  // whitespace left inside
        "1e", "--5", "+-5", std::string("5\0", 2),
    };
    for (const std::string& text : refused)
        EXPECT_EQ(parseNumber(text), std::nullopt) << text;
}

// Short plain decimals take a shortcut around the C library: every reading must be strtod's,
// bit for bit, on both sides of the shortcut's limits.
TEST(NumberParser, PlainDecimalsReadExactlyAsStrtod)
{
    const char* texts[] = {"0", "-0", "0.1", "0.3", "-1234.56", "2500000.00", "720.92", "000000000000000000001.5",
                           "123456789012345", "1234567890123456", "9007199254740993", "0.000000000000001",
                           "0.0000000000000001234", "99999999999999.99", "1.000000000000001", "4503599627370497.5",
                           "0.30000000000000004", "-.5", "123.456789012345"};
    for (const char* text : texts) {
        const double expected = std::strtod(text, nullptr);
        const double value = parseNumber(text).value_or(std::nan(""));
        EXPECT_EQ(std::pair(value, std::signbit(value)), std::pair(expected, std::signbit(expected))) << text;
    }
    for (const char* text : {"-", ".", "-.", "1.2.3", "1-2", "2-"})
        EXPECT_EQ(parseNumber(text), std::nullopt) << text;
    // Qt applications run in the user's locale, where the decimal point may be a comma.
    const DecimalCommaLocale decimalComma;
    if (!decimalComma.active())
        GTEST_SKIP() << "no decimal-comma locale can be made here";
    EXPECT_EQ(parseNumber("0x1.8p1"), 3.0);
    EXPECT_EQ(parseNumber("1.5"), 1.5);
}

// Ideographic and narrow no-break spaces are trimmed too; line breaks, quotes and formula
// protection are kept.
TEST(Unescape, TrimsSpaceSeparatorsAndTabsOnly)
{
    const std::pair<std::string, std::optional<std::string>> cases[] = {
        {"  note \t", "note"}, {"\xE3\x80\x80note\xE2\x80\xAF", "note"}, {"\nnote\n", "\nnote\n"},
        {"'=SUM(A1)", "'=SUM(A1)"}, {" \t ", std::nullopt}, {"", std::nullopt}, {"\"quoted\"", "\"quoted\""},
    };
    for (const auto& [text, note] : cases)
        EXPECT_EQ(unescape(text), note) << text;
}

} // namespace
