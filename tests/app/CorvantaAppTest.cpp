// The shell end to end: seeding, the dashboard following the store, and the keys' undo and redo.
#include "app/CorvantaApp.h"
#include "app/RootView.h"
#include "model/ObjectContext.h"
#include "model/PersistenceController.h"
#include "views/dashboard/NewEntryFormView.h"
#include "views/dashboard/StatRow.h"
#include "services/EntryActions.h"
#include "views/kit/ModalOverlay.h"

#include <QAction>

#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QToolButton>
#include <gmock/gmock.h>

namespace {

const QString validSeeds = QStringLiteral(CORVANTA_TEST_DATA "/seed/valid");
constexpr std::size_t seededEntries = 3;

class CorvantaAppTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QSettings().remove(QStringLiteral("didSeedInitialData_v1"));
        persistence_ = std::make_unique<PersistenceController>(true);
        app_ = std::make_unique<CorvantaApp>(*persistence_, SeedImporter::SeedSource{validSeeds});
    }

    ObjectContext& context() { return app_->context(); }
    std::size_t entryCount() { return context().fetchBalanceEntries().value().size(); }

    // A dashboard figure once the event loop has delivered the latest change.
    QString shownFigure(const QString& label)
    {
        QCoreApplication::processEvents();
        for (StatRow* row : app_->window().findChildren<StatRow*>())
            if (row->label() == label)
                return row->value();
        return QString();
    }
    QString shownCurrentValue() { return shownFigure(QStringLiteral("Current Value")); }

    std::unique_ptr<PersistenceController> persistence_;
    std::unique_ptr<CorvantaApp> app_;
};

TEST_F(CorvantaAppTest, ABackgroundSaveRebuildsTheDashboard)
{
    persistence_->container().newBackgroundContext()->performAndWait([](ObjectContext& background) {
        auto entry = BalanceEntry::create(background);
        entry->setDate(instantFromMilliseconds(1'900'000'000'000)); // 2030
        entry->setBalance(123456);
        ASSERT_TRUE(background.save().ok());
    });
    EXPECT_TRUE(QTest::qWaitFor([this] { return shownCurrentValue() == QStringLiteral("$123,456"); }, 5000));
    EXPECT_FALSE(context().undoManager()->canUndo()); // not a change of this window
}

TEST_F(CorvantaAppTest, TheChartsWindowPickerSetsTheWindowOfTheReturns)
{
    EXPECT_EQ(shownFigure(QStringLiteral("Time-Weighted Return")), QStringLiteral("0.5%"));
    for (QToolButton* button : app_->window().findChildren<QToolButton*>())
        if (button->text() == QStringLiteral("1M"))
            button->click();
    EXPECT_EQ(shownFigure(QStringLiteral("Time-Weighted Return")), QStringLiteral("—")); // the seeded entries are older
}

// Ctrl+Z typed in a form field undoes the field's typing, and with nothing left there it does
// nothing: the store's history is the Edit menu's, and the keys' when no field has the focus.
// Undo and Redo are saved at once and reach the dashboard; the seeded entries are not a step.
TEST_F(CorvantaAppTest, UndoKeysInAFieldStayInTheField)
{
    RootView& window = app_->window();
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    // The newest seeded entry (2024-03-31) holds 99,000; a submit is dated today.
    auto* form = window.findChild<NewEntryFormView*>();
    form->findChild<QLineEdit*>(QStringLiteral("balanceField"))->setText(QStringLiteral("777"));
    QTest::mouseClick(form->findChild<QPushButton*>(QStringLiteral("submitButton")), Qt::LeftButton);
    ASSERT_EQ(entryCount(), seededEntries + 1);

    auto* transfers = form->findChild<QLineEdit*>(QStringLiteral("transfersField"));
    transfers->setFocus();
    QTest::keyClicks(transfers, QStringLiteral("12"));
    for (int times = 0; times < 3; ++times) // the second and third time the field has nothing to undo
        QTest::keyClick(transfers, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(transfers->text().isEmpty());
    EXPECT_EQ(entryCount(), seededEntries + 1);
    QTest::keyClick(transfers, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(transfers->text(), QStringLiteral("12"));

    window.menus().undoAction()->trigger();
    EXPECT_EQ(entryCount(), seededEntries);
    EXPECT_FALSE(context().hasChanges());
    EXPECT_EQ(shownCurrentValue(), QStringLiteral("$99,000"));
    transfers->clearFocus();
    window.setFocus();
    QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(entryCount(), seededEntries + 1);
    EXPECT_FALSE(context().hasChanges());
    EXPECT_EQ(shownCurrentValue(), QStringLiteral("$777"));
}

// While an editor panel is open the store's history cannot move under it: Undo is greyed (and
// does nothing when called) until the panel closes.
TEST_F(CorvantaAppTest, UndoIsGreyedWhileAnEditorIsOpen)
{
    RootView& window = app_->window();
    ASSERT_TRUE(EntryActions::add(context(), {.date = std::nullopt, .balance = 5}).ok());
    QAction* undo = window.menus().undoAction();
    EXPECT_TRUE(undo->isEnabled());
    auto* overlay = window.findChild<ModalOverlay*>();
    overlay->open(new QWidget);
    EXPECT_FALSE(undo->isEnabled());
    app_->undo();
    EXPECT_EQ(entryCount(), seededEntries + 1);
    overlay->close();
    EXPECT_TRUE(undo->isEnabled());
}

} // namespace
