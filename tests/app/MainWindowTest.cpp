// The window as a daily tool: its menus and keys, the status line, the search and copy of the
// entries, the keyboard path through the new-entry form, and what the window remembers.
#include "app/ContentView.h"
#include "app/CorvantaApp.h"
#include "app/DashboardView.h"
#include "app/RootView.h"
#include "app/StatusFeedback.h"
#include "app/WindowMemory.h"
#include "model/ObjectContext.h"
#include "model/PersistenceController.h"
#include "views/dashboard/BalanceChartView.h"
#include "views/dashboard/NewEntryFormView.h"
#include "views/entries/CorvantaTableView.h"
#include "views/entries/EntryFindField.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSettings>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <gmock/gmock.h>

using ::testing::ElementsAre;

namespace {

const QString validSeeds = QStringLiteral(CORVANTA_TEST_DATA "/seed/valid");

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QSettings().clear();
        persistence_ = std::make_unique<PersistenceController>(true);
        app_ = std::make_unique<CorvantaApp>(*persistence_, SeedImporter::SeedSource{validSeeds});
        window().show();
        window().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    }

    RootView& window() { return app_->window(); }
    QTabWidget* tabs() { return window().content()->tabs(); }
    NewEntryFormView* form() { return window().content()->dashboard()->form(); }
    CorvantaTableView* entries() { return window().content()->entries(); }
    QAction* menuItem(const QString& plainTitle)
    {
        for (QAction* action : window().menus().actionsWithKeys())
            if (action->iconText() == plainTitle)
                return action;
        return nullptr;
    }
    // Types a new entry into the form and submits it with Ctrl+Return from the Note field.
    void submitFromNote(const QString& balance, const QString& note)
    {
        form()->focusBalance();
        QTest::keyClicks(QApplication::focusWidget(), balance);
        auto* noteField = form()->findChild<QPlainTextEdit*>(QStringLiteral("noteField"));
        noteField->setFocus();
        QTest::keyClicks(noteField, note);
        QTest::keyClick(noteField, Qt::Key_Return, Qt::ControlModifier);
        QCoreApplication::processEvents();
    }

    std::unique_ptr<PersistenceController> persistence_;
    std::unique_ptr<CorvantaApp> app_;
};

TEST_F(MainWindowTest, EveryMenuCommandHasItsKeys)
{
    const std::vector<std::pair<QString, QKeySequence>> expected{
        {QStringLiteral("New Entry"), QKeySequence(Qt::CTRL | Qt::Key_N)},
        {QStringLiteral("Import CSV\u2026"), QKeySequence(Qt::CTRL | Qt::Key_I)},
        {QStringLiteral("Export CSV\u2026"), QKeySequence(Qt::CTRL | Qt::Key_E)},
        {QStringLiteral("Quit"), QKeySequence(Qt::CTRL | Qt::Key_Q)},
        {QStringLiteral("Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z)},
        {QStringLiteral("Redo"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
        {QStringLiteral("Copy"), QKeySequence(Qt::CTRL | Qt::Key_C)},
        {QStringLiteral("Select All"), QKeySequence(Qt::CTRL | Qt::Key_A)},
        {QStringLiteral("Find"), QKeySequence(Qt::CTRL | Qt::Key_F)},
        {QStringLiteral("Dashboard"), QKeySequence(Qt::CTRL | Qt::Key_1)},
        {QStringLiteral("Corvanta"), QKeySequence(Qt::CTRL | Qt::Key_2)},
        {QStringLiteral("TSX Comparison"), QKeySequence(Qt::CTRL | Qt::Key_3)},
        {QStringLiteral("Previous Tab"), QKeySequence(Qt::CTRL | Qt::Key_PageUp)},
        {QStringLiteral("Next Tab"), QKeySequence(Qt::CTRL | Qt::Key_PageDown)},
        {QStringLiteral("Keyboard Shortcuts"), QKeySequence(Qt::Key_F1)},
    };
    for (const auto& [title, keys] : expected) {
        SCOPED_TRACE(title.toStdString());
        QAction* action = menuItem(title);
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->shortcut(), keys);
    }
}

TEST_F(MainWindowTest, TabKeysWorkFromInsideTheTable)
{
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_2, Qt::ControlModifier);
    EXPECT_EQ(tabs()->currentIndex(), 1);
    entries()->table()->setFocus();
    QTest::keyClick(entries()->table(), Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(tabs()->currentIndex(), 2);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(tabs()->currentIndex(), 0); // wraps
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(tabs()->currentIndex(), 2);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(tabs()->currentIndex(), 0);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("balanceField"));
}

TEST_F(MainWindowTest, CtrlReturnSubmitsFromTheNoteAndUndoSaysWhatItTookBack)
{
    QAction* undo = window().menus().undoAction();
    QAction* redo = window().menus().redoAction();
    EXPECT_FALSE(undo->isEnabled()); // the seeded entries are no step
    EXPECT_FALSE(redo->isEnabled());
    const auto count = [this] { return app_->context().countBalanceEntries().value(); };
    const auto before = count();

    submitFromNote(QStringLiteral("1500"), QStringLiteral("typed"));
    EXPECT_EQ(count(), before + 1);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("balanceField"));
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_TRUE(window().feedback()->message().startsWith(QStringLiteral("Added the entry of")));
    EXPECT_TRUE(window().feedback()->offersUndo());

    undo->trigger();
    EXPECT_EQ(count(), before);
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_TRUE(redo->isEnabled());
    EXPECT_TRUE(window().feedback()->message().startsWith(QStringLiteral("Undid")));
    EXPECT_FALSE(window().feedback()->offersUndo());
}

TEST_F(MainWindowTest, FindHidesRowsThatSelectAllCopyAndDeleteThenLeaveAlone)
{
    window().find();
    ASSERT_EQ(tabs()->currentIndex(), 1);
    ASSERT_EQ(QApplication::focusWidget(), entries()->findField());
    QTableView* table = entries()->table();
    const int rows = table->model()->rowCount();
    ASSERT_GE(rows, 3);
    const QString wanted = table->model()->index(0, 0).data().toString(); // the newest date

    QTest::keyClicks(entries()->findField(), wanted);
    int shown = 0;
    for (int row = 0; row < rows; ++row)
        shown += table->isRowHidden(row) ? 0 : 1;
    EXPECT_EQ(shown, 1);

    table->setFocus();
    window().selectAll();
    window().copy();
    const QStringList lines = QApplication::clipboard()->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Date\tBalance")));
    EXPECT_TRUE(lines[1].startsWith(wanted + QLatin1Char('\t')));
    EXPECT_EQ(lines[1].count(QLatin1Char('\t')), lines[0].count(QLatin1Char('\t')));

    entries()->deleteSelected();
    EXPECT_EQ(app_->context().countBalanceEntries().value(), rows - 1);
    EXPECT_EQ(window().feedback()->message(), QStringLiteral("Deleted 1 entry"));
    QTest::keyClick(entries()->findField(), Qt::Key_Escape);
    for (int row = 0; row < table->model()->rowCount(); ++row)
        EXPECT_FALSE(table->isRowHidden(row));
}

TEST(WindowMemoryTest, OnlyAReachableGeometryIsRestored)
{
    const QList<QRect> screens{QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)};
    struct Case {
        QRect frame;
        bool reachable;
    } cases[] = {
        {QRect(100, 100, 1200, 800), true},
        {QRect(2000, 50, 1000, 700), true},      // on the second screen
        {QRect(-1100, 200, 1180, 760), true},    // mostly off to the left, title still there
        {QRect(3300, 100, 1000, 700), false},    // right of every screen
        {QRect(100, 1070, 1000, 700), false},    // title strip under the bottom edge
        {QRect(100, -400, 1000, 700), false},    // title strip above the top
        {QRect(), false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WindowMemory::reachable(c.frame, screens), c.reachable) << c.frame.x() << "," << c.frame.y();
}

TEST_F(MainWindowTest, TheTabAndTheChartsSettingsComeBack)
{
    BalanceChartView* chart = window().content()->dashboard()->chart();
    tabs()->setCurrentIndex(2);
    chart->setRange(DateRange::allCases[1]);
    chart->setShowsAdjusted(true);
    chart->setFitsValues(true);
    WindowMemory::save(window());

    PersistenceController other(true);
    CorvantaApp reopened(other, SeedImporter::SeedSource{validSeeds});
    WindowMemory::restore(reopened.window());
    BalanceChartView* restored = reopened.window().content()->dashboard()->chart();
    EXPECT_EQ(reopened.window().content()->tabs()->currentIndex(), 2);
    EXPECT_EQ(restored->range(), DateRange::allCases[1]);
    EXPECT_TRUE(restored->showsAdjusted());
    EXPECT_TRUE(restored->fitsValues());
}

} // namespace

namespace {
// Tab from Balance round the dashboard: every stop is a visible control with a name, and the
// form's fields come in their order.
TEST_F(MainWindowTest, EveryTabStopIsVisibleAndNamed)
{
    window().focusStartingField();
    QWidget* first = QApplication::focusWidget();
    ASSERT_EQ(first->objectName(), QStringLiteral("balanceField"));
    QStringList order;
    for (int step = 0; step < 40; ++step) {
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        EXPECT_TRUE(focus->isVisible()) << focus->metaObject()->className();
        const QString name = focus->accessibleName().isEmpty() ? focus->property("text").toString() : focus->accessibleName();
        EXPECT_FALSE(name.isEmpty()) << focus->metaObject()->className() << " \"" << focus->objectName().toStdString() << "\" after " << order.join(QLatin1Char(',')).toStdString();
        order << focus->objectName();
        QTest::keyClick(focus, Qt::Key_Tab);
        if (QApplication::focusWidget() == first)
            break;
    }
    EXPECT_EQ(order.mid(0, 4), (QStringList{QStringLiteral("balanceField"), QStringLiteral("adjustmentField"),
                                            QStringLiteral("transfersField"), QStringLiteral("noteField")}));
}
} // namespace
