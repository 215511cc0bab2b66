// The dashboard's quick-entry form, driven through its widgets.
#include "analytics/Fmt.h"
#include "analytics/LocalSettings.h"
#include "model/ObjectContext.h"
#include "model/PersistentContainer.h"
#include "model/UndoManager.h"
#include "views/NewEntryFormView.h"
#include "support/StoreSql.h"

#include <QCalendarWidget>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QTemporaryDir>
#include <gmock/gmock.h>

#include <chrono>

namespace {

QString today()
{
    return QString::fromStdString(
        *Fmt::isoDay(std::chrono::time_point_cast<std::chrono::milliseconds>(std::chrono::system_clock::now())));
}

class NewEntryFormTest : public ::testing::Test {
protected:
    void SetUp() override { open(PersistentContainer::openInMemory()); }
    void open(Result<std::unique_ptr<PersistentContainer>> opened)
    {
        form_.reset();
        container_ = std::move(opened.value());
        undo_.setLevelsOfUndo(50);
        context().setUndoManager(&undo_);
        form_ = std::make_unique<NewEntryFormView>(context());
    }
    void TearDown() override
    {
        form_.reset();
        context().setUndoManager(nullptr);
    }

    ObjectContext& context() { return container_->viewContext(); }
    std::vector<std::shared_ptr<BalanceEntry>> entries() { return context().fetchBalanceEntries().value(); }

    template <class Widget = QLineEdit>
    Widget* child(const char* name) const
    {
        auto* widget = form_->findChild<Widget*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QLineEdit* date() const { return child("dateField"); }
    QLineEdit* balance() const { return child("balanceField"); }
    QLineEdit* adjustment() const { return child("adjustmentField"); }
    QLineEdit* transfers() const { return child("transfersField"); }
    QPlainTextEdit* note() const { return child<QPlainTextEdit>("noteField"); }
    QPushButton* submitButton() const { return child<QPushButton>("submitButton"); }
    QLabel* hint() const { return child<QLabel>("dateHint"); }
    QLabel* error() const { return child<QLabel>("errorMessage"); }

    void type(QLineEdit* field, const QString& text)
    {
        field->clear();
        QTest::keyClicks(field, text);
    }

    std::unique_ptr<PersistentContainer> container_;
    UndoManager undo_;
    std::unique_ptr<NewEntryFormView> form_;
};

TEST_F(NewEntryFormTest, StartsOnTodayAndEnablesSubmitOnlyForADayAndAPlainNumber)
{
    EXPECT_EQ(date()->text(), today());
    EXPECT_FALSE(submitButton()->isEnabled());
    EXPECT_TRUE(hint()->isHidden() && error()->isHidden());
    struct Case {
        const char* dateText;
        const char* balanceText;
        bool submitEnabled, hintShown;
    };
    // The readers are tested with Fmt; here, that the form uses them and shows the date hint.
    const Case cases[] = {
        {" 2026-06-04\t", "  -12.5 ", true, false}, {"2026-06-04", "1,242,000", false, false},
        {"2026-06-04", "inf", false, false},        {" \t ", "100", false, false},
        {"06/04/2026", "100", false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.dateText) + " / " + c.balanceText);
        type(date(), QString::fromUtf8(c.dateText));
        type(balance(), QString::fromUtf8(c.balanceText));
        EXPECT_EQ(submitButton()->isEnabled(), c.submitEnabled);
        EXPECT_EQ(!hint()->isHidden(), c.hintShown);
    }
}

TEST_F(NewEntryFormTest, SubmitStoresTheEntryAsTypedAndResets)
{
    type(date(), QStringLiteral("2025-03-05"));
    type(balance(), QStringLiteral("1242000"));
    type(adjustment(), QStringLiteral("abc"));
    type(transfers(), QStringLiteral("-500"));
    // Kept exactly as typed: blanks, a no-break space, a line separator (Shift+Return) and a
    // line break, which toPlainText() would have turned into a space and two line breaks.
    QTest::keyClicks(note(), QStringLiteral(" a\u00A0b"));
    QTest::keyClick(note(), Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClicks(note(), QStringLiteral("c"));
    QTest::keyClick(note(), Qt::Key_Return);
    QTest::keyClicks(note(), QStringLiteral("d "));
    QTest::mouseClick(submitButton(), Qt::LeftButton);

    const auto stored = entries();
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_TRUE(stored[0]->id().has_value());
    EXPECT_EQ(std::tuple(stored[0]->date(), stored[0]->balance(), stored[0]->adjustment(), stored[0]->transfers(), stored[0]->note()),
              std::tuple(Fmt::parseDay("2025-03-05"), 1242000.0, 0.0, -500.0, std::optional(QStringLiteral(" a\u00A0b\u2028c\nd "))));
    EXPECT_FALSE(context().hasChanges());

    const QStringList shown{date()->text(), balance()->text(), adjustment()->text(), transfers()->text(), note()->toPlainText()};
    EXPECT_EQ(shown, QStringList({today(), {}, {}, {}, {}}));
    EXPECT_FALSE(submitButton()->isEnabled());
}

TEST_F(NewEntryFormTest, SubmitRunAnywayExplainsWhatIsWrong)
{
    type(balance(), QStringLiteral("1,000"));
    form_->submit();
    EXPECT_EQ(error()->text(), QStringLiteral("Balance must be a number."));
    EXPECT_FALSE(error()->isHidden());

    type(balance(), QStringLiteral("1000"));
    type(date(), QStringLiteral("2026-6-4x"));
    form_->submit();
    EXPECT_EQ(error()->text(), QStringLiteral("Date must be in YYYY-MM-DD format."));
    EXPECT_THAT(entries(), ::testing::IsEmpty());

    QTest::mouseClick(child<QPushButton>("clearButton"), Qt::LeftButton);
    EXPECT_TRUE(error()->isHidden());
    EXPECT_EQ(date()->text(), today());
    EXPECT_TRUE(balance()->text().isEmpty());
}

TEST_F(NewEntryFormTest, AFailedSaveIsShownAndKeepsTheInputsForARetry)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("Corvanta.sqlite"));
    open(PersistentContainer::open(path));
    ASSERT_TRUE(refuseNewEntries(path, "disk full"));

    type(date(), QStringLiteral("2025-03-05"));
    type(balance(), QStringLiteral("1242000"));
    note()->setPlainText(QStringLiteral("kept"));
    form_->submit();

    EXPECT_THAT(error()->text().toStdString(), ::testing::StartsWith("Save failed: "));
    EXPECT_GT(error()->text().size(), QStringLiteral("Save failed: ").size());
    EXPECT_FALSE(error()->isHidden());
    EXPECT_EQ(date()->text(), QStringLiteral("2025-03-05"));
    EXPECT_EQ(balance()->text(), QStringLiteral("1242000"));
    EXPECT_EQ(note()->toPlainText(), QStringLiteral("kept"));
    EXPECT_FALSE(context().hasChanges()); // nothing of the failed submit stays behind

    // Submitting again once the store accepts rows stores the one entry.
    ASSERT_TRUE(acceptNewEntries(path));
    form_->submit();
    EXPECT_TRUE(error()->isHidden());
    EXPECT_EQ(entries().size(), 1u);
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
    type(date(), QStringLiteral("someday"));
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(calendar->selectedDate(), QDate::currentDate());
}

} // namespace
