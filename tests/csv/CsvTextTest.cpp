// CSV text on its own: rows from the tokenizer, numbers, notes and dates as read, and the
// exported text.
#include "csv/CSVPorter.h"
#include "csv/ExportFields.h"
#include "csv/ImportDates.h"
#include "model/BalanceEntry.h"
#include "support/DecimalCommaLocale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <tuple>
#include <vector>

using CSVPorter::ImportDateReader;
using CSVPorter::csvString;
using CSVPorter::parse;
using CSVPorter::parseNumber;
using CSVPorter::unescape;
using Rows = std::vector<CSVPorter::Row>;

namespace {

TEST(Tokenizer, GivesTheRows)
{
    const std::tuple<const char*, std::string, Rows> cases[] = {
        {"Empty", "", {}},
        {"FieldsKeptAsWritten", " a , b ", {{" a ", " b "}}},
        {"LineFeeds", "a,b\nc,d\n", {{"a", "b"}, {"c", "d"}}},
        {"CarriageReturns", "a,b\rc,d\r", {{"a", "b"}, {"c", "d"}}},
        {"CrLfIsOneRowEnd", "a,b\r\nc,d\r\n", {{"a", "b"}, {"c", "d"}}},
        {"LfCrIsTwoRowEnds", "a\n\rb", {{"a"}, {"b"}}},
        {"BlankLinesDropped", "\n\r\n\ra\n\n", {{"a"}}},
        {"TrailingCommaGivesEmptyField", "a,\n", {{"a", ""}}},
        {"OnlyCommas", ",,", {{"", "", ""}}},
        {"QuotedEmptyIsABlankLine", "\"\"\na", {{"a"}}},
        {"QuotedSeparatorsAndBreaks", "\"a,b\nc\r\nd\",e", {{"a,b\nc\r\nd", "e"}}},
        {"DoubledQuote", "\"say \"\"hi\"\"\"", {{"say \"hi\""}}},
        {"QuoteInsideAField", "ab\"c,d\"e,f", {{"abc,de", "f"}}},
        {"TextAfterClosingQuote", "\"a\"b", {{"ab"}}},
        {"UnterminatedQuoteSwallowsTheRest", "x,\"a\nb,c\nd", {{"x", "a\nb,c\nd"}}},
        {"LoneQuote", "\"", {}},
        {"QuoteWithCombiningMarkIsText", "a\"\xCC\x81,b", {{"a\"\xCC\x81", "b"}}},
        {"CommaWithCombiningMarkIsText", "a,\xCC\x81" "b,c", {{"a,\xCC\x81" "b", "c"}}},
        {"CommaFusedAfterPrependMark", "\xD8\x80,b", {{"\xD8\x80,b"}}},
        {"ClosingQuoteWithMarkKeepsQuotedMode", "\"a\"\xCC\x81,b\"", {{"a\"\xCC\x81,b"}}},
        {"DoubledQuoteNeedsTwoPlainQuotes", "\"a\"\"\xCC\x81,b", {{"a\"\xCC\x81", "b"}}},
        {"MarkAfterLineBreakDoesNotFuseIt", "a\n\xCC\x81" "b", {{"a"}, {"\xCC\x81" "b"}}},
    };
    for (const auto& [name, text, rows] : cases) {
        EXPECT_EQ(parse(text), rows) << name;
        // The grapheme path (taken for lines holding non-ASCII text) agrees with the ASCII path
        // wherever no delimiter is fused: a leading accent instead of a leading "x" changes only that.
        Rows accented = parse("x" + text);
        accented.front().front().replace(0, 1, "\xC3\xA9");
        EXPECT_EQ(parse("\xC3\xA9" + text), accented) << name;
    }
}

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
        {"Asia/Tokyo", "2026-06-04T09:30:00", utc(2026, 6, 4, 0, 30)},
        {"Europe/Berlin", "2026-03-29T01:59:59", utc(2026, 3, 29, 0, 59) + std::chrono::seconds{59}},
        // Across daylight-saving changes: the day before and after Toronto's spring change, a
        // missing wall time, and the repeated hour in autumn (read as the later, standard-time one).
        {"America/Toronto", "2026-03-08", utc(2026, 3, 8, 5)},
        {"America/Toronto", "2026-03-09", utc(2026, 3, 9, 4)},
        {"America/Toronto", "2026-03-08T02:30:00", std::nullopt},
        {"America/Toronto", "2026-03-08T03:30:00", utc(2026, 3, 8, 7, 30)},
        {"America/Toronto", "2026-11-01T01:30:00", utc(2026, 11, 1, 6, 30)},
        // A day whose midnight is skipped reads as its first moment, 01:00.
        {"America/Havana", "2025-03-09", utc(2025, 3, 9, 5)},
        {"America/Havana", "2025-03-09T00:30:00", std::nullopt},
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

std::shared_ptr<BalanceEntry> entry(std::optional<Instant> date, double balance, double adjustment = 0, double transfers = 0,
                                    std::optional<QString> note = std::nullopt)
{
    auto made = std::make_shared<BalanceEntry>();
    made->setDate(date);
    made->setBalance(balance);
    made->setAdjustment(adjustment);
    made->setTransfers(transfers);
    made->setNote(std::move(note));
    return made;
}

TEST(Export, WritesTheHeaderAndOneLinePerEntryNewestFirst)
{
    EXPECT_EQ(csvString({}), "Date,Balance,Adjustment,Transfers,Note");
    const Instant now = utc(2026, 7, 1, 12);
    // Integers keep one fractional zero; the exponent form starts at 1e16 and below 1e-4, as the
    // shortest form that reads back.
    const auto text = csvString({entry(utc(2026, 6, 4, 12), 1242000), entry(utc(2026, 6, 3), 1e16, 1e-5, 9007199254740991.0),
                                 entry(std::nullopt, 1, 0.0001, 0, QStringLiteral("undated")),
                                 entry(utc(2026, 6, 5), 10.25, -500, -250, QStringLiteral("first")),
                                 entry(utc(2026, 6, 5), 20, 0.1, 0, QStringLiteral("second"))},
                                now);
    EXPECT_EQ(text, "Date,Balance,Adjustment,Transfers,Note\n"
                    "2026-06-05,10.25,-500.0,-250.0,first\n"
                    "2026-06-05,20.0,0.1,,second\n"
                    "2026-06-04,1242000.0,0.0,,\n"
                    "2026-06-03,1e+16,1e-05,9007199254740991.0,\n"
                    "2026-07-01,1.0,0.0001,,undated");
}

// The written day is the UTC day of the stored moment, whatever the local zone: 3 June 23:30
// at UTC-5 is 4 June 04:30 UTC; local midnight of 4 June at UTC+9 is 3 June. Days before the
// Gregorian reform are written as read (proleptic Gregorian); after 9999 the ICU calendar
// decides (five digits).
TEST(Export, WritesTheUtcDay)
{
    const std::pair<Instant, const char*> cases[] = {
        {utc(2026, 6, 4, 4, 30), "2026-06-04"}, {utc(2026, 6, 3, 15), "2026-06-03"}, {utc(1970, 1, 1) - std::chrono::milliseconds{1}, "1969-12-31"},
        {utc(1582, 10, 14), "1582-10-14"},      {utc(1583, 1, 1), "1583-01-01"},     {utc(10000, 1, 1), "10000-01-01"},
    };
    for (const auto& [instant, day] : cases)
        EXPECT_EQ(CSVPorter::exportDay(instant), day);
    std::mt19937_64 random(1583); // the direct days agree with the formatter's
    std::uniform_int_distribution<long long> milliseconds(millisecondsOf(utc(1500, 1, 1)), millisecondsOf(utc(10100, 1, 1)));
    for (int i = 0; i < 20000; ++i) {
        const Instant instant = instantFromMilliseconds(milliseconds(random));
        ASSERT_EQ(CSVPorter::exportDay(instant), CSVPorter::exportDayWithFormatter(instant)) << millisecondsOf(instant);
    }
}

// Formula triggers are protected with a quote first; then fields that need it are quoted.
TEST(Export, NotesAreProtectedThenQuoted)
{
    const std::pair<const char*, const char*> cases[] = {
        {"plain note", "plain note"}, {"", ""}, {"=SUM(A1:A9)", "'=SUM(A1:A9)"}, {"+1", "'+1"}, {"-1", "'-1"}, {"@cmd", "'@cmd"},
        {"\tx", "'\tx"}, {"\rx", "\"'\rx\""}, {" =1", " =1"},
        {"=\xCC\x81x", "'=\xCC\x81x"}, // a trigger carrying a combining mark still starts a formula
        {"a,b", "\"a,b\""}, {"say \"hi\"", "\"say \"\"hi\"\"\""}, {"two\nlines", "\"two\nlines\""},
        {"cr\ronly", "\"cr\ronly\""}, // quoted so that the CR stays inside the note
        {"-5, sold", "\"'-5, sold\""},
    };
    for (const auto& [note, field] : cases)
        EXPECT_EQ(CSVPorter::noteField(note), field) << note;
}

} // namespace
