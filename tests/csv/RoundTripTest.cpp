#include "ImportFixture.h"

#include "csv/CSVPorter.h"
#include "csv/FieldText.h"
#include "csv/ImportDates.h"

#include <limits>
#include <random>

namespace {

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
    default: {
        // Any finite bit pattern.
        double value;
        do {
            const std::uint64_t bits = std::uniform_int_distribution<std::uint64_t>()(random);
            std::memcpy(&value, &bits, sizeof value);
        } while (!std::isfinite(value));
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
        EXPECT_EQ(copy.date(), CSVPorter::parseDate(CSVPorter::exportDay(*original.date()))) << i;
        EXPECT_EQ(copy.balance(), original.balance()) << i;
        EXPECT_EQ(copy.adjustment(), original.adjustment()) << i;
        EXPECT_EQ(copy.transfers(), original.transfers()) << i;
        const std::optional<std::string> expectedNote = original.note() ? noteAsReadBack(notes[i]) : std::nullopt;
        EXPECT_EQ(copy.note() ? std::optional(copy.note()->toStdString()) : std::nullopt, expectedNote) << i;
    }
}

} // namespace
