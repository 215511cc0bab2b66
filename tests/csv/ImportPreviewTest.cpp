// What a preview says before anything is written: rows, lines and reasons, the date reading,
// decimal commas and the rows already stored. Expectations are written for Toronto.
#include "csv/AlreadyStored.h"
#include "csv/CSVAlerts.h"
#include "csv/DecimalComma.h"
#include "services/CsvActions.h"
#include "services/ImportPreviewText.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

using CSVPorter::ImportReading;

ImportReading read(std::string_view text, bool decimalComma = false) { return CSVPorter::readImport(text, {.decimalComma = decimalComma}); }

std::vector<std::string> skippedLines(const ImportReading& reading)
{
    std::vector<std::string> lines;
    for (const auto& line : reading.skipped)
        lines.push_back(CSVPorter::skippedLineText(line).toStdString());
    return lines;
}

TEST(ImportPreview, TheSampleFile)
{
    QFile file(QStringLiteral(CORVANTA_SAMPLES "/corvanta-sample.csv"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const ImportReading reading = read(CsvActions::importText(bytes).value());
    ASSERT_EQ(reading.rows.size(), 60u);
    EXPECT_TRUE(reading.skipped.empty());
    EXPECT_EQ(reading.rows.front().line, 2);
    EXPECT_EQ(reading.rows.back().line, 61);
    EXPECT_EQ(ImportPreviewText::dateRangeText(reading), QStringLiteral("Dec 31, 2021 \u2013 Nov 30, 2026"));
    EXPECT_EQ(ImportPreviewText::dateReadings(reading), QStringList{QStringLiteral("yyyy-MM-dd: 2021-12-31 is December 31, 2021")});
    EXPECT_FALSE(reading.looksDecimalComma());
    EXPECT_EQ(ImportPreviewText::rowCells(reading.rows[1].values),
              (QStringList{QStringLiteral("Jan 31, 2022"), QStringLiteral("$267,208"), QStringLiteral("$7,000"), QStringLiteral("$7,000.00"),
                           QStringLiteral("Sample data: TFSA contribution")}));
}

// Lines count as the file has them: CR LF, lone CR, blank lines and line breaks inside quoted
// notes each move on; the header and blank rows are neither rows nor skipped.
TEST(ImportPreview, BadLinesAreNamedByLineAndReason)
{
    const ImportReading reading = read("Date,Balance\r\n2026-06-01,1,0,0,\"two\r\nlines\"\r\n\r\nJun 31 2026,5\rjust one\n"
                                       "2026-06-02,\n2026-06-03,abc\n2026-06-04,\"1,5\",x,y,\"a\nb\nc\"\n" + std::string(50, 'z') + ",1\n2026-06-05,2\n");
    EXPECT_EQ(skippedLines(reading), (std::vector<std::string>{
                                         "line 5: 'Jun 31 2026' is not a date",
                                         "line 6: only one column, no balance",
                                         "line 7: no balance",
                                         "line 8: 'abc' is not an amount",
                                         "line 12: '" + std::string(39, 'z') + "\u2026' is not a date",
                                     }));
    ASSERT_EQ(reading.rows.size(), 3u);
    EXPECT_EQ(std::vector({reading.rows[0].line, reading.rows[1].line, reading.rows[2].line}), std::vector<std::int64_t>({2, 9, 13}));
    EXPECT_EQ(reading.rows[1].values.balance, 15); // the format's own reading of a comma

    const std::string longNote = "2026-06-01,1\n2026-06-02,2,0,0," + std::string((1 << 20) + 1, 'n') + "\n2026-06-03,x\n";
    const CsvActions::ImportPreview refused = CsvActions::previewImport(longNote, {});
    ASSERT_EQ(refused.reading.skipped.size(), 2u);
    EXPECT_EQ(refused.reading.skipped[0].line, 2);
    EXPECT_TRUE(refused.reading.skipped[0].reason.startsWith(QStringLiteral("The note is too long"))) << refused.reading.skipped[0].reason.toStdString();
    EXPECT_EQ(refused.reading.rows.size(), 1u);

    std::vector<CSVPorter::SkippedLine> many(103, {7, QStringLiteral("no balance")});
    const QStringList shown = CSVPorter::skippedLinesText(many).split(QLatin1Char('\n'));
    EXPECT_EQ(shown.size(), 101);
    EXPECT_EQ(shown.last(), QStringLiteral("and 3 more"));
}

TEST(ImportPreview, DecimalCommasAreSaidAloudNeverGuessed)
{
    const std::string european = "Date,Balance,Adjustment\n2026-06-04,\"1.234,56\",\"9,99\"\n2026-06-05,\"(2.000,5)\",0\n2026-06-06,1.234.567,\n";
    const ImportReading asWritten = read(european);
    EXPECT_TRUE(asWritten.looksDecimalComma());
    EXPECT_DOUBLE_EQ(asWritten.rows[0].values.balance, 1.23456); // the default reading is unchanged
    EXPECT_EQ(asWritten.rows[0].values.adjustment, 999);
    const ImportReading withComma = read(european, true);
    ASSERT_EQ(withComma.rows.size(), 3u);
    EXPECT_EQ(std::vector({withComma.rows[0].values.balance, withComma.rows[0].values.adjustment, withComma.rows[1].values.balance,
                           withComma.rows[2].values.balance}),
              std::vector({1234.56, 9.99, -2000.5, 1234567.0}));

    // One amount with a decimal point, or only groups of three, is no sign of a decimal comma.
    for (const char* text : {"2026-06-04,\"9,99\"\n2026-06-05,12.50\n", "2026-06-04,\"1,234\"\n2026-06-05,1.234\n", "2026-06-04,100\n"})
        EXPECT_FALSE(read(text).looksDecimalComma()) << text;
    EXPECT_EQ(CSVPorter::parseDecimalCommaNumber("1,2,3"), std::nullopt);
    EXPECT_EQ(CSVPorter::amountHint("$1,234.56"), CSVPorter::AmountHint::DecimalPoint);
}

// Slash dates are month first; the preview shows which reading was used, with an example
// whose month and day could trade places.
TEST(ImportPreview, DayFirstFilesShowTheReadingUsed)
{
    const ImportReading reading = read("Date,Balance\n13/04/2026,1\n06/06/2026,2\n06/04/2026,3\n6/4/2026,4\n2026-06-04,5\n25/12/2026,6\n");
    EXPECT_EQ(skippedLines(reading), (std::vector<std::string>{"line 2: '13/04/2026' is not a date", "line 7: '25/12/2026' is not a date"}));
    EXPECT_EQ(ImportPreviewText::dateReadings(reading), (QStringList{QStringLiteral("MM/dd/yyyy: 06/04/2026 is June 4, 2026"),
                                                                     QStringLiteral("yyyy-MM-dd: 2026-06-04 is June 4, 2026"),
                                                                     QStringLiteral("M/d/yyyy: 6/4/2026 is June 4, 2026")}));
    EXPECT_EQ(ImportPreviewText::dateOrder(reading), QStringLiteral("MM/dd/yyyy"));
}

// Stored means the same local day, amounts and note (trimmed; empty is none); each stored
// entry answers for one row, so a repeated row is imported as often as the store lacks it.
TEST(ImportPreview, RowsAlreadyStored)
{
    const ImportReading reading = read("2026-06-04,100,5,0,note\n2026-06-04T18:30:00,100,5,0,note\n2026-06-04,100,5,0,note\n"
                                       "2026-06-05,100,5,0,note\n2026-06-04,100,5,0,other\n2026-06-06,-0,0,0,\n");
    const Instant june4 = reading.rows[0].values.date.value();
    const std::vector<BalanceEntry::Values> stored = {
        {.date = june4 + std::chrono::hours(23), .balance = 100, .adjustment = 5, .note = QStringLiteral(" note\t")},
        {.date = june4, .balance = 100, .adjustment = 5, .note = QStringLiteral("note")},
        {.date = reading.rows[5].values.date, .balance = 0, .note = QString()},
    };
    EXPECT_EQ(CSVPorter::markAlreadyStored(reading.rows, stored), std::vector<bool>({true, true, false, false, false, true}));
    EXPECT_EQ(CSVPorter::markAlreadyStored(reading.rows, {}), std::vector<bool>(6, false));

    std::string many; // more rows than are looked up ahead at once: every third one is stored
    for (int i = 0; i < 40; ++i)
        many += "2026-06-" + std::to_string(10 + i % 20) + "," + std::to_string(i) + "\n";
    const ImportReading longer = read(many);
    std::vector<BalanceEntry::Values> some;
    std::vector<bool> expected;
    for (const auto& row : longer.rows) {
        expected.push_back(static_cast<int>(row.values.balance) % 3 == 0);
        if (expected.back())
            some.push_back(row.values);
    }
    EXPECT_EQ(CSVPorter::markAlreadyStored(longer.rows, some), expected);
}

} // namespace
