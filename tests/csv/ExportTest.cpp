#include "csv/CSVPorter.h"
#include "csv/ExportFields.h"
#include "model/BalanceEntry.h"

#include <gtest/gtest.h>

#include <random>

using CSVPorter::csvString;

namespace {

Instant utc(int year, unsigned month, unsigned day, int hour = 0, int minute = 0)
{
    using namespace std::chrono;
    return time_point_cast<milliseconds>(sys_days{std::chrono::year{year} / month / day} + hours{hour} + minutes{minute});
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
// at UTC-5 is 4 June 04:30 UTC; local midnight of 4 June at UTC+9 is 3 June. Outside
// 1583..9999 the ICU calendar decides: Julian days before October 1582, five digits after 9999.
TEST(Export, WritesTheUtcDay)
{
    const std::pair<Instant, const char*> cases[] = {
        {utc(2026, 6, 4, 4, 30), "2026-06-04"}, {utc(2026, 6, 3, 15), "2026-06-03"}, {utc(1970, 1, 1) - std::chrono::milliseconds{1}, "1969-12-31"},
        {utc(1582, 10, 14), "1582-10-04"},      {utc(1583, 1, 1), "1583-01-01"},     {utc(10000, 1, 1), "10000-01-01"},
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
