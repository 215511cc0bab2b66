#include "services/CsvActions.h"
#include "csv/CSVPorter.h"
#include "csv/ExportFields.h"
#include "model/PersistentContainer.h"

#include <QDateTime>
#include <QFile>
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <random>

using CSVPorter::AlertStyle;

namespace {

// A fresh in-memory store per test. Calendar expectations are written for Toronto, the zone
// ctest runs the tests in.
class ImportFixture : public testing::Test {
protected:
    void SetUp() override { container_ = PersistentContainer::openInMemory().value(); }
    ObjectContext& context() { return container_->viewContext(); }
    CsvActions::ImportOutcome import(const std::string& text) { return CsvActions::importBytes(context(), QByteArray::fromStdString(text)); }

    // One line per entry, oldest first: UTC instant|balance|adjustment|transfers|note, line
    // breaks in notes written as \n and \r.
    std::string storedEntries()
    {
        std::string lines;
        for (const auto& entry : context().fetchBalanceEntries().value()) {
            std::string note = entry->note() ? "" : "(none)";
            for (const char c : entry->note().value_or(QString()).toStdString())
                note += c == '\n' ? std::string("\\n") : c == '\r' ? std::string("\\r") : std::string(1, c);
            lines += (entry->date() ? utcText(*entry->date()) : "(no date)") + "|" + CSVPorter::numberText(entry->balance()) + "|"
                + CSVPorter::numberText(entry->adjustment()) + "|" + CSVPorter::numberText(entry->transfers()) + "|" + note + "\n";
        }
        return lines;
    }

    static std::string utcText(Instant instant)
    {
        return QDateTime::fromMSecsSinceEpoch(millisecondsOf(instant), Qt::UTC).toString(Qt::ISODate).toStdString();
    }

    std::unique_ptr<PersistentContainer> container_;
};

const QString expectedColumns = QStringLiteral(
    "Expected columns: Date, Balance, Adjustment, Transfers, Note. Dates such as 2026-06-04 or 06/04/2026 are accepted.");

std::string fileText(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

// Real-looking files and the entries they must give (oldest first, dates in UTC).
class GoldenImport : public ImportFixture, public testing::WithParamInterface<const char*> {};

TEST_P(GoldenImport, GivesTheExpectedEntries)
{
    const std::string base = std::string(CORVANTA_CSV_TEST_DATA) + "/" + GetParam();
    const CsvActions::ImportOutcome outcome = import(fileText(base + ".csv"));
    const std::string counts = "imported " + std::to_string(outcome.counts.imported) + " skipped " + std::to_string(outcome.counts.skipped) + "\n";
    EXPECT_EQ(counts + storedEntries(), fileText(base + ".expected"));
    EXPECT_EQ(std::pair(outcome.imported, context().hasChanges()), std::pair(std::optional(outcome.counts.imported), false));
    for (const auto& entry : context().fetchBalanceEntries().value())
        EXPECT_TRUE(entry->id()); // every imported entry gets one
}

INSTANTIATE_TEST_SUITE_P(Import, GoldenImport, testing::Values("spreadsheet_export", "accounting", "mixed_dates", "multiline_notes"));

// Each text goes into a fresh store: the counts, what was stored and the result's alert.
TEST_F(ImportFixture, CountsRowsAndChoosesTheAlert)
{
    const std::tuple<const char*, std::string, CSVPorter::ImportCounts> cases[] = {
        {"HeaderOnly", "Date,Balance,Adjustment,Transfers,Note\n", {0, 0}},
        {"Empty", "", {0, 0}},
        {"OneEntry", "Date,Balance\n2026-06-04,100", {1, 0}},
        {"NoHeader", "2026-06-04,100\n", {1, 0}},
        {"FiveGoodTwoBad", "date,balance\n2026-06-01,1\n2026-06-02,2\nnot a date,3\n2026-06-03,3\n2026-06-04,4\n2026-06-05,\n2026-06-05,5\n", {5, 2}},
        {"OnlyBadRows", "2026-06-04\n2026-06-04,abc\n04.06.2026,1\n", {0, 3}},
        {"BlankRowsCountNowhere", ",,,,\n   \n\t,  \n\"\"\n2026-06-04,1\n", {1, 0}},
        {"HeaderOnlyAtTheTop", "Date,Balance\nDate,Balance\n", {0, 1}},
        {"AnyFirstFieldWithDateIsAHeader", "Last UPDATE,100\n2026-06-04,1\n", {1, 0}},
        {"TextBeyondTheUsedColumnsIsNotBlank", ",,,,,,x\n,,,,,, \t\n2026-06-04,1\n", {1, 1}},
        {"DuplicatesAreNotDetected", "2026-06-04,1\n2026-06-04,1\n", {2, 0}},
        {"ByteOrderMarkDropped", "\xEF\xBB\xBF" "2026-06-04,100\r\n", {1, 0}},
    };
    for (const auto& [name, text, counts] : cases) {
        SCOPED_TRACE(name);
        SetUp();
        const CsvActions::ImportOutcome outcome = import(text);
        EXPECT_EQ(std::tuple(outcome.counts, outcome.imported, context().countBalanceEntries().value()), std::tuple(counts, std::optional(counts.imported), counts.imported));
        // The alert's texts, then the skipped lines.
        const CSVPorter::Alert plain = CSVPorter::resultAlert(counts.imported, counts.skipped);
        EXPECT_EQ(outcome.alert.messageText, plain.messageText);
        EXPECT_TRUE(outcome.alert.informativeText.startsWith(plain.informativeText)) << outcome.alert.informativeText.toStdString();
        EXPECT_EQ(outcome.alert.informativeText.count(QStringLiteral("line ")), counts.skipped);
    }
    const std::tuple<int, int, CSVPorter::Alert> alerts[] = {
        {0, 0, {QStringLiteral("No rows imported"), expectedColumns, AlertStyle::Warning}},
        {0, 3, {QStringLiteral("No rows imported"), expectedColumns + QStringLiteral("\n\n3 row(s) couldn't be parsed."), AlertStyle::Warning}},
        {1, 0, {QStringLiteral("Imported 1 entry"), QString(), AlertStyle::Informational}},
        {5, 2, {QStringLiteral("Imported 5 entries"), QStringLiteral("2 row(s) were skipped (couldn't be parsed)."), AlertStyle::Informational}},
    };
    for (const auto& [imported, skipped, alert] : alerts)
        EXPECT_EQ(CSVPorter::resultAlert(imported, skipped), alert) << imported << " imported, " << skipped << " skipped";
}

TEST_F(ImportFixture, TextThatIsNotUtf8CannotBeRead)
{
    // Counted from 1, the byte-order mark included.
    const std::pair<std::string, int> cases[] = {{"2026-06-04,1,0,0,caf\xE9\n", 21}, {"\xEF\xBB\xBF" "2026-06-04,1,0,0,\xED\xA0\x80\n", 21}, {"\xC0\xAF", 1}};
    for (const auto& [bad, byte] : cases) {
        const CsvActions::ImportOutcome outcome = import(bad);
        EXPECT_EQ(outcome.imported, std::nullopt);
        EXPECT_EQ(outcome.alert, (CSVPorter::Alert{QStringLiteral("CSV Error"), QStringLiteral("Could not read file.\nNot UTF-8 at byte %1.").arg(byte), AlertStyle::Warning}));
    }
    EXPECT_EQ(std::tuple(context().hasChanges(), context().countBalanceEntries().value()), std::tuple(false, 0));
}

// A file of more than a megabyte is converted on a worker thread: same rows, same order.
TEST_F(ImportFixture, LargeFileGivesEveryRowInOrder)
{
    std::string text = "Date,Balance,Adjustment,Transfers,Note\n";
    std::string expected;
    for (int i = 0; i < 30000; ++i) {
        const std::string date = CSVPorter::exportDay(instantFromMilliseconds((10957LL + i) * 86'400'000)); // from 2000-01-01
        if (i % 10 == 9) {
            text += date + ",n/a,0,0,unreadable balance\n";
            continue;
        }
        text += date + "," + std::to_string(i) + ".5,\"(1,000)\",,\"row " + std::to_string(i) + ", quoted\"\r\n";
        expected += utcText(*CSVPorter::parseDate(date)) + "|" + std::to_string(i) + ".5|-1000.0|0.0|row " + std::to_string(i) + ", quoted\n";
    }
    ASSERT_GT(text.size(), 1u << 20);
    EXPECT_EQ(import(text).counts, (CSVPorter::ImportCounts{27000, 3000}));
    EXPECT_EQ(storedEntries(), expected);
}

// What a note reads back as: protected by an apostrophe when it starts with a formula
// character, then trimmed; a blank note reads back as none.
std::optional<std::string> noteAsReadBack(const std::string& note)
{
    std::string protectedNote = note;
    if (!note.empty() && CSVPorter::formulaTriggers.find(note.front()) != std::string_view::npos)
        protectedNote.insert(0, 1, '\'');
    return CSVPorter::unescape(protectedNote);
}

std::string randomNote(std::mt19937& random)
{
    static const char* pieces[] = {"a", "b", " ", ",", "\"", "\n", "\r", "\r\n", "=", "+", "-", "@", "\t",
                                   "'", "\xC3\xA9", "$1,000", "\"\"", "\xC2\xA0"};
    std::uniform_int_distribution<int> length(0, 12), piece(0, std::size(pieces) - 1);
    std::string note;
    for (int n = length(random); n > 0; --n)
        note += pieces[piece(random)];
    return note;
}

double randomAmount(std::mt19937& random)
{
    static const double extremes[] = {0.0, -0.0, std::numeric_limits<double>::max(), std::numeric_limits<double>::lowest(),
                                      std::numeric_limits<double>::denorm_min(), std::numeric_limits<double>::min(),
                                      1e16, 9007199254740993.0, 1e-5, 0.1 + 0.2, -720.92};
    std::uniform_int_distribution<int> kind(0, 3);
    switch (kind(random)) {
    case 0: return extremes[std::uniform_int_distribution<std::size_t>(0, std::size(extremes) - 1)(random)];
    case 1: return std::uniform_real_distribution<double>(-1e7, 1e7)(random);
    case 2: return std::round(std::uniform_real_distribution<double>(-1e8, 1e8)(random)) / 100;
    default: { // any finite bit pattern
        double value;
        do
            value = std::bit_cast<double>(std::uniform_int_distribution<std::uint64_t>()(random));
        while (!std::isfinite(value));
        return value;
    }
    }
}

// Entries written by csvString and read back by the import give the same values: the day of
// the date (as local midnight), the numbers exactly (the store keeps -0 as 0), the notes as the
// reader gives them back.
TEST_F(ImportFixture, WrittenEntriesReadBackTheSame)
{
    std::mt19937 random(4062026);
    std::vector<std::shared_ptr<BalanceEntry>> written;
    std::vector<std::string> notes;
    for (int i = 0; i < 500; ++i) {
        auto entry = std::make_shared<BalanceEntry>();
        // One entry per day, at noon UTC, so that each line's day is known.
        entry->setDate(instantFromMilliseconds((17000LL + i) * 86'400'000 + 43'200'000));
        entry->setBalance(randomAmount(random));
        entry->setAdjustment(randomAmount(random));
        entry->setTransfers(i % 3 == 0 ? 0.0 : randomAmount(random));
        notes.push_back(randomNote(random));
        if (i % 7 != 0)
            entry->setNote(QString::fromStdString(notes.back()));
        written.push_back(entry);
    }

    const CsvActions::ImportOutcome outcome = import(CSVPorter::csvString(written));
    ASSERT_EQ(outcome.counts, (CSVPorter::ImportCounts{500, 0}));
    const auto readBack = context().fetchBalanceEntries().value();
    ASSERT_EQ(readBack.size(), written.size());
    for (std::size_t i = 0; i < written.size(); ++i) {
        const BalanceEntry& original = *written[i];
        const BalanceEntry& copy = *readBack[i];
        const auto noteOf = [](const BalanceEntry& entry) { return entry.note() ? std::optional(entry.note()->toStdString()) : std::nullopt; };
        EXPECT_EQ(std::tuple(copy.date(), copy.balance(), copy.adjustment(), copy.transfers(), noteOf(copy)),
                  std::tuple(CSVPorter::parseDate(CSVPorter::exportDay(*original.date())), original.balance(), original.adjustment(),
                             original.transfers(), original.note() ? noteAsReadBack(notes[i]) : std::nullopt))
            << i;
    }
}

} // namespace
