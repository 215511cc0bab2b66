// The entry editor's texts: what it shows for an entry and what Save makes of the texts.
#include "views/EntryEditorText.h"

#include "analytics/Fmt.h"

#include <QStringList>

#include <gmock/gmock.h>

namespace {

const Instant now = *Fmt::parseDay("2026-06-04") + std::chrono::hours(15);

BalanceEntry::Values valuesWith(double balance, double adjustment, double transfers)
{
    return {.id = Uuid::random(), .date = *Fmt::parseDay("2025-03-05") + std::chrono::hours(9), .balance = balance,
            .adjustment = adjustment, .transfers = transfers, .note = std::nullopt};
}

TEST(EntryEditorText, LoadShowsShortestExactNumbersAndEmptiesZeros)
{
    struct Case {
        BalanceEntry::Values values;
        bool isNew;
        const char *date, *balance, *adjustment, *transfers;
    };
    BalanceEntry::Values undated = valuesWith(0, -500, 12.5);
    undated.date.reset();
    const Case cases[] = {
        {valuesWith(1242000, 0, 0), false, "2025-03-05", "1242000.0", "", ""},
        {valuesWith(0, 0, 0), false, "2025-03-05", "0.0", "", ""},
        {valuesWith(0, -0.0, 0), true, "2025-03-05", "", "", ""},
        {undated, true, "2026-06-04", "", "-500.0", "12.5"},
        {valuesWith(0.1 + 0.2, 1e17, 5e-324), false, "2025-03-05", "0.30000000000000004", "1e+17", "5e-324"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.balance);
        const EntryEditorText text = EntryEditorText::load(c.values, c.isNew, now);
        EXPECT_EQ(QStringList({text.dateText, text.balance, text.adjustment, text.transfers}),
                  QStringList({QString::fromUtf8(c.date), QString::fromUtf8(c.balance), QString::fromUtf8(c.adjustment),
                               QString::fromUtf8(c.transfers)}));
        // What is shown reads back to the same numbers (an empty balance cannot be saved).
        const auto saved = text.values();
        ASSERT_EQ(saved.has_value(), !text.balance.isEmpty());
        if (saved) {
            EXPECT_EQ(std::tuple(saved->balance, saved->adjustment, saved->transfers),
                      std::tuple(c.values.balance, c.values.adjustment, c.values.transfers));
        }
    }
}

TEST(EntryEditorText, SaveReadsADayAndABalanceAndDefaultsTheRest)
{
    EntryEditorText text{.dateText = QStringLiteral("2025-03-05"), .balance = QStringLiteral("5000"),
                         .adjustment = QStringLiteral("abc"), .transfers = QString(), .note = QString()};
    auto values = text.values();
    ASSERT_TRUE(values.has_value());
    // Local midnight; no note for an empty one; no id (the entry keeps its own or gets a fresh one).
    EXPECT_EQ(std::tuple(values->date, values->balance, values->adjustment, values->transfers, values->note, values->id),
              std::tuple(Fmt::parseDay("2025-03-05"), 5000.0, 0.0, 0.0, std::optional<QString>(), std::optional<Uuid>()));

    text.note = QStringLiteral("   ");
    EXPECT_EQ(text.values()->note, QStringLiteral("   "));

    struct Refused {
        const char *date, *balance;
        bool hint;
    };
    // The readers themselves are tested with Fmt; here, which failures show the date hint.
    for (const Refused& r : {Refused{"2025-03-05", "", false}, Refused{"2025-03-05", "1,000", false}, Refused{" \t", "1", false},
                             Refused{"03/05/2025", "1", true}}) {
        SCOPED_TRACE(std::string(r.date) + " / " + r.balance);
        text.dateText = QString::fromUtf8(r.date);
        text.balance = QString::fromUtf8(r.balance);
        EXPECT_FALSE(text.values().has_value());
        EXPECT_EQ(text.showsDateHint(), r.hint);
    }
}

} // namespace
