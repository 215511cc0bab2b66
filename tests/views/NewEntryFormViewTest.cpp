// The texts of an entry as typed: the dashboard's quick-entry form, driven through its
// widgets, and the entry texts every face reads (what an editor shows for an entry and what
// Save makes of them). The readers are tested in the actions layer; here, what the form
// enables, keeps and reports, and the reading of the same texts.
#include "services/ActionsFixture.h"

#include "analytics/Fmt.h"
#include "analytics/LocalSettings.h"
#include "services/EntryTexts.h"
#include "services/NoteRules.h"
#include "views/dashboard/NewEntryFormView.h"

#include <QCalendarWidget>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <chrono>

namespace {

QString today()
{
    return QString::fromStdString(*Fmt::isoDay(std::chrono::time_point_cast<std::chrono::milliseconds>(std::chrono::system_clock::now())));
}

class NewEntryFormTest : public ActionsFixture {
protected:
    template <class Widget = QLineEdit>
    Widget* child(const char* name) const
    {
        auto* widget = form_->findChild<Widget*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QLineEdit* date() const { return child("dateField"); }
    QLineEdit* balance() const { return child("balanceField"); }
    QPlainTextEdit* note() const { return child<QPlainTextEdit>("noteField"); }
    QPushButton* submitButton() const { return child<QPushButton>("submitButton"); }
    QLabel* error() const { return child<QLabel>("errorMessage"); }
    // All five fields' texts.
    QStringList texts() const
    {
        return {date()->text(), balance()->text(), child("adjustmentField")->text(), child("transfersField")->text(), note()->toPlainText()};
    }

    static void type(QLineEdit* field, const char* text)
    {
        field->clear();
        QTest::keyClicks(field, QString::fromUtf8(text));
    }

    std::unique_ptr<NewEntryFormView> form_ = std::make_unique<NewEntryFormView>(context());
};

// Submit is enabled for a readable day and balance only; run anyway, it says what is wrong
// and stores nothing. Clear starts afresh. The entry texts read alike: values only where
// Submit is enabled, the date hint for the same texts.
TEST_F(NewEntryFormTest, SubmitNeedsADayAndAPlainNumber)
{
    EXPECT_EQ(texts(), QStringList({today(), {}, {}, {}, {}}));
    struct Case {
        const char *dateText, *balanceText;
        bool hintShown;
        const char* error; // empty: Submit is enabled
    };
    const Case cases[] = {
        {" 2026-06-04\t", "  -12.5 ", false, ""},
        {"2026-06-04", "", false, "Balance must be a number."},
        {"2026-06-04", "1,24", false, "Balance must be a number."},
        {"2026-06-04", "inf", false, "Balance must be a number."},
        {" \t ", "100", false, "Date must be in YYYY-MM-DD format."},
        {"06/04/2026", "100", true, "Date must be in YYYY-MM-DD format."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.dateText) + " / " + c.balanceText);
        type(date(), c.dateText);
        type(balance(), c.balanceText);
        EXPECT_EQ(submitButton()->isEnabled(), *c.error == '\0');
        EXPECT_EQ(!child<QLabel>("dateHint")->isHidden(), c.hintShown);
        if (*c.error != '\0') {
            form_->submit();
            EXPECT_EQ(error()->text().toStdString(), c.error);
            EXPECT_FALSE(error()->isHidden());
        }
        const EntryTexts text{.dateText = date()->text(), .balance = balance()->text(), .adjustment = {}, .transfers = {}, .note = {}};
        EXPECT_EQ(text.read().values.has_value(), *c.error == '\0');
        EXPECT_EQ(!text.read().date.isEmpty(), c.hintShown);
    }
    EXPECT_EQ(shown(), "");
    QTest::mouseClick(child<QPushButton>("clearButton"), Qt::LeftButton);
    EXPECT_TRUE(error()->isHidden());
    EXPECT_EQ(texts(), QStringList({today(), {}, {}, {}, {}}));
}

TEST_F(NewEntryFormTest, SubmitStoresTheEntryAsTypedAndResets)
{
    type(date(), "2025-03-05");
    type(balance(), "1242000");
    child("adjustmentField")->setText(QStringLiteral("\u2212500")); // typed keys are ASCII only
    type(child("transfersField"), "-1,000");
    // Kept exactly as typed: blanks, a no-break space, a line separator (Shift+Return) and a
    // line break, which toPlainText() would have turned into a space and two line breaks.
    QTest::keyClicks(note(), QStringLiteral(" a\u00A0b"));
    QTest::keyClick(note(), Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClicks(note(), QStringLiteral("c"));
    QTest::keyClick(note(), Qt::Key_Return);
    QTest::keyClicks(note(), QStringLiteral("d "));
    QTest::mouseClick(submitButton(), Qt::LeftButton);

    const auto stored = context().fetchBalanceEntries().value();
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(std::tuple(stored[0]->date(), stored[0]->balance(), stored[0]->adjustment(), stored[0]->transfers(), stored[0]->note()),
              std::tuple(Fmt::parseDay("2025-03-05"), 1242000.0, -500.0, -1000.0, std::optional(QStringLiteral(" a\u00A0b\u2028c\nd "))));
    EXPECT_EQ(texts(), QStringList({today(), {}, {}, {}, {}}));
    EXPECT_FALSE(submitButton()->isEnabled());
}

// An amount that cannot be read is never stored as a guess: its field says why, Submit stays
// disabled, and a submit run anyway stores nothing. So is a note over 1 MiB.
TEST_F(NewEntryFormTest, UnreadableAmountsAndLongNotesAreRefusedAloud)
{
    type(balance(), "1242000");
    type(child("adjustmentField"), "abc");
    QLabel* message = child<QLabel>("adjustmentFieldMessage");
    EXPECT_EQ(message->text(), QStringLiteral("Enter a number such as -1000 or 1,250.50"));
    EXPECT_FALSE(message->isHidden() || submitButton()->isEnabled());
    form_->submit();
    type(child("adjustmentField"), "");
    EXPECT_TRUE(message->isHidden());
    note()->setPlainText(QString(NoteRules::maxNoteBytes + 1, QLatin1Char('n')));
    EXPECT_TRUE(child<QLabel>("noteFieldMessage")->text().startsWith(QStringLiteral("The note is too long")));
    EXPECT_FALSE(submitButton()->isEnabled());
    form_->submit();
    EXPECT_EQ(shown(), "");
}

TEST_F(NewEntryFormTest, AFailedSaveIsShownAndKeepsTheInputsForARetry)
{
    ASSERT_TRUE(refuseNewEntries(path_, "disk full"));
    type(date(), "2025-03-05");
    type(balance(), "1242000");
    note()->setPlainText(QStringLiteral("kept"));
    form_->submit();

    EXPECT_TRUE(error()->text().startsWith(QStringLiteral("Save failed: ")) && error()->text().contains(QStringLiteral("disk full")))
        << error()->text().toStdString();
    EXPECT_FALSE(error()->isHidden());
    EXPECT_EQ(texts(), QStringList({QStringLiteral("2025-03-05"), QStringLiteral("1242000"), {}, {}, QStringLiteral("kept")}));

    // Submitting again once the store accepts rows stores the one entry.
    ASSERT_TRUE(acceptNewEntries(path_));
    form_->submit();
    EXPECT_TRUE(error()->isHidden());
    EXPECT_EQ(context().fetchBalanceEntries().value().size(), 1u);
}

// West and east of UTC, and days whose midnight a clock change skips (Sao Paulo, 2018-11-04)
// or which hold a change (Toronto, 2024-03-10): the day picked is the day written, the popover
// closes, and the calendar reopens on the typed day (on today when none can be read).
TEST_F(NewEntryFormTest, PickedDayIsTheDayWrittenAndShownAgainInEveryZone)
{
    form_->show();
    auto* popover = child<QWidget>("datePopover");
    auto* calendar = popover->findChild<QCalendarWidget*>();
    auto* button = child<QToolButton>("calendarButton");
    for (const char* zoneId : {"America/Toronto", "Asia/Tokyo", "America/Sao_Paulo"}) {
        ScopedZone zone(zoneId);
        for (const QDate day : {QDate(2018, 11, 4), QDate(2024, 3, 10), QDate(2024, 11, 3), QDate(2025, 1, 1)}) {
            SCOPED_TRACE(std::string(zoneId) + " " + day.toString(Qt::ISODate).toStdString());
            QTest::mouseClick(button, Qt::LeftButton);
            Q_EMIT calendar->clicked(day);
            EXPECT_EQ(date()->text(), day.toString(Qt::ISODate));
            EXPECT_FALSE(popover->isVisible());
            QTest::mouseClick(button, Qt::LeftButton);
            EXPECT_EQ(calendar->selectedDate(), day);
            Q_EMIT calendar->clicked(day); // closes without a change of text
        }
    }
    type(date(), "someday");
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(calendar->selectedDate(), QDate::currentDate());
}

const Instant now = *Fmt::parseDay("2026-06-04") + std::chrono::hours(15);

BalanceEntry::Values valuesWith(double balance, double adjustment, double transfers)
{
    return {.id = Uuid::random(), .date = *Fmt::parseDay("2025-03-05") + std::chrono::hours(9), .balance = balance,
            .adjustment = adjustment, .transfers = transfers, .note = std::nullopt};
}

TEST(EntryTexts, LoadShowsShortestExactNumbersAndEmptiesZeros)
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
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.balance);
        const EntryTexts text = EntryTexts::load(c.values, c.isNew, now);
        EXPECT_EQ(QStringList({text.dateText, text.balance, text.adjustment, text.transfers}),
                  QStringList({QString::fromUtf8(c.date), QString::fromUtf8(c.balance), QString::fromUtf8(c.adjustment),
                               QString::fromUtf8(c.transfers)}));
        // What is shown reads back to the same numbers (an empty balance cannot be saved).
        const auto saved = text.read().values;
        ASSERT_EQ(saved.has_value(), !text.balance.isEmpty());
        if (saved) {
            EXPECT_EQ(std::tuple(saved->balance, saved->adjustment, saved->transfers),
                      std::tuple(c.values.balance, c.values.adjustment, c.values.transfers));
        }
    }
}

TEST(EntryTexts, SaveReadsADayAndABalanceAndDefaultsTheRest)
{
    EntryTexts text{.dateText = QStringLiteral("2025-03-05"), .balance = QStringLiteral("5000"),
                    .adjustment = QString(), .transfers = QString(), .note = QString()};
    auto values = text.read().values;
    ASSERT_TRUE(values.has_value());
    // Local midnight; no note for an empty one; no id (the entry keeps its own or gets a fresh one).
    EXPECT_EQ(std::tuple(values->date, values->balance, values->adjustment, values->transfers, values->note, values->id),
              std::tuple(Fmt::parseDay("2025-03-05"), 5000.0, 0.0, 0.0, std::optional<QString>(), std::optional<Uuid>()));

    text.note = QStringLiteral("   ");
    EXPECT_EQ(text.read().values->note, QStringLiteral("   "));
}

} // namespace
