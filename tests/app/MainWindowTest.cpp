// The window as a daily tool: its menus and keys, the status line, the search and copy of the
// entries, the keyboard path through the new-entry form, and what the window remembers.
#include "app/ContentView.h"
#include "app/CorvantaApp.h"
#include "app/DashboardView.h"
#include "app/RootView.h"
#include "app/StatusFeedback.h"
#include "app/BackupDialogs.h"
#include "app/StoreFailureDialog.h"
#include "app/StoreFailureRecovery.h"
#include "app/WelcomeBanner.h"
#include "app/WindowMemory.h"
#include "model/ObjectContext.h"
#include "model/PersistenceController.h"
#include "model/PersistentContainer.h"
#include "services/Backups.h"
#include "services/DisplayText.h"
#include "services/EntryActions.h"
#include "views/comparison/ComparisonSummaryView.h"
#include "views/comparison/TSXComparisonView.h"
#include "views/kit/Clock.h"
#include "views/kit/EmptyStateView.h"
#include "views/dashboard/BalanceChartView.h"
#include "views/dashboard/NewEntryFormView.h"
#include "views/dashboard/StatRow.h"
#include "views/entries/CorvantaTableView.h"
#include "views/entries/EntryFindField.h"
#include "views/entries/EntryTableModel.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QLabel>
#include <QTextEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QTableView>
#include <QFile>
#include <QTemporaryDir>
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

// On the dashboard and with each editor open: every field shown is reached by its caption's
// mnemonic and is named and described, and no two mnemonics shown at once (the menus' among
// them) share a letter, which would leave the key ambiguous.
TEST_F(MainWindowTest, EveryFieldShownHasItsOwnMnemonicANameAndADescription)
{
    const auto mnemonic = [](const QString& text) {
        const qsizetype at = text.indexOf(QLatin1Char('&'));
        return at >= 0 && at + 1 < text.size() ? text.at(at + 1).toLower() : QChar();
    };
    const std::pair<int, std::function<void()>> views[] = {
        {0, [] {}}, {1, [&] { entries()->addEntry(); }}, {2, [&] { window().content()->comparison()->addYear(); }}};
    for (const auto& [tab, open] : views) {
        tabs()->setCurrentIndex(tab);
        open();
        QCoreApplication::processEvents();
        QSet<QChar> letters;
        for (const QAction* menu : window().menuBar()->actions())
            letters.insert(mnemonic(menu->text()));
        QSet<QWidget*> captioned;
        for (QLabel* label : window().findChildren<QLabel*>()) {
            if (!label->isVisible() || !label->buddy())
                continue;
            captioned.insert(label->buddy());
            const QChar letter = mnemonic(label->text());
            EXPECT_FALSE(letter.isNull() || letters.contains(letter)) << tab << ": " << label->text().toStdString();
            letters.insert(letter);
        }
        int fields = 0;
        for (QWidget* field : window().findChildren<QWidget*>()) {
            const auto* line = qobject_cast<QLineEdit*>(field);
            if (!field->isVisible() || !(line || qobject_cast<QPlainTextEdit*>(field) || qobject_cast<QTextEdit*>(field)))
                continue;
            ++fields;
            EXPECT_TRUE(captioned.contains(field)) << tab << ": " << field->objectName().toStdString();
            EXPECT_FALSE(field->accessibleName().isEmpty() || field->accessibleDescription().isEmpty()) << field->objectName().toStdString();
        }
        EXPECT_GE(fields, 5) << tab;
    }
}
} // namespace

namespace {
// An empty store: the banner guides, the sample data comes and goes as one step each, and
// Add Year proposes the first year of the entries that has no row.
TEST(FirstRun, SampleDataLoadsAndGoesAsOneStepEach)
{
    QSettings().setValue(QStringLiteral("didSeedInitialData_v1"), true);
    PersistenceController persistence(true);
    CorvantaApp app(persistence);
    ContentView* content = app.window().content();
    ObjectContext& context = app.context();
    const auto counts = [&] {
        return std::pair{context.countBalanceEntries().value(), context.countTSXYears().value()};
    };
    // Every tab's banner shows the same state.
    const auto welcomes = [&] {
        std::vector<WelcomeBanner::State> states;
        for (int tab = 0; tab < content->tabs()->count(); ++tab)
            states.push_back(content->welcome(tab)->state());
        return states;
    };
    const auto all = [](WelcomeBanner::State state) { return std::vector<WelcomeBanner::State>(3, state); };
    EXPECT_EQ(welcomes(), all(WelcomeBanner::State::EmptyStore));
    EXPECT_EQ(content->dashboard()->chart()->findChild<EmptyStateView*>()->title(), QStringLiteral("No entries yet"));

    content->welcome(2)->findChild<QPushButton*>(QStringLiteral("sampleButton"))->click();
    QCoreApplication::processEvents();
    const auto loaded = counts();
    EXPECT_GE(loaded.first, 36);
    EXPECT_EQ(loaded.second, 3);
    EXPECT_EQ(welcomes(), all(WelcomeBanner::State::SampleData));
    EXPECT_EQ(content->comparison()->firstEntryYearWithoutRow(), QDate::currentDate().year());
    for (const auto& entry : context.fetchBalanceEntries().value())
        EXPECT_TRUE(entry->note()->startsWith(QStringLiteral("Sample data")));

    app.undo();
    QCoreApplication::processEvents();
    EXPECT_EQ(counts(), (std::pair<std::int64_t, std::int64_t>{0, 0}));
    EXPECT_EQ(welcomes(), all(WelcomeBanner::State::EmptyStore));
    app.redo();
    EXPECT_EQ(counts(), loaded);

    EntryActions::add(context, {.date = systemNow(), .balance = 5, .note = QStringLiteral("mine")});
    content->removeSampleData();
    QCoreApplication::processEvents();
    EXPECT_EQ(counts(), (std::pair<std::int64_t, std::int64_t>{1, 0})); // the user's own entry stays
    EXPECT_EQ(welcomes(), all(WelcomeBanner::State::Hidden));
    app.undo();
    EXPECT_EQ(counts(), (std::pair{loaded.first + 1, loaded.second}));
}
} // namespace

namespace {
// Picks the newest backup and confirms; remembers what it was told.
class PickingNewestBackup final : public BackupDialogs {
public:
    std::optional<QString> chooseBackupTarget(const QString&) override { return std::nullopt; }
    std::optional<QString> chooseBackup(const std::vector<BackupFile>& backups, const QString&) override { return backups.front().path; }
    bool confirmRestore(const QString&, const QString&) override { return true; }
    void showFailure(const QString& message, const QString& details) override { told << message + details; }
    void showNotice(const QString& message, const QString&) override { told << message; }
    QStringList told;
};

QStringList buttonTitles(const StoreFailureDialog& dialog)
{
    QStringList titles;
    for (QAbstractButton* button : dialog.buttons())
        titles << button->text();
    titles.sort();
    return titles;
}

TEST(StoreFailureDialog, SaysWhatFailedWhereAndOffersTheNewestBackup)
{
    QTemporaryDir folder;
    const QString broken = folder.filePath(QStringLiteral("Corvanta.sqlite"));
    const QString message = QStringLiteral("Unresolved Core Data error file is not a database, open");
    PickingNewestBackup dialogs;
    {
        StoreFailureDialog dialog(message, broken);
        StoreFailureRecovery::offerBackups(dialog, broken, dialogs); // no backup yet: nothing offered
        EXPECT_EQ(dialog.text(), message);
        EXPECT_TRUE(dialog.informativeText().contains(broken));
        EXPECT_EQ(buttonTitles(dialog), (QStringList{QStringLiteral("Quit"), QStringLiteral("Show File")}));
    }
    const QString good = folder.filePath(QStringLiteral("good.sqlite"));
    {
        auto store = PersistentContainer::open(good).value();
        ASSERT_TRUE(EntryActions::add(store->viewContext(), {.balance = 1234.5}));
    }
    ASSERT_TRUE(Backups::backUp(good, BackupSettings::read().folder));
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("not a store") > 0);
    file.close();

    StoreFailureDialog dialog(message, broken);
    StoreFailureRecovery::offerBackups(dialog, broken, dialogs);
    ASSERT_EQ(buttonTitles(dialog), (QStringList{QStringLiteral("Quit"), QStringLiteral("Restore From Backup\u2026"), QStringLiteral("Show File")}));
    for (QAbstractButton* button : dialog.buttons())
        if (button->text().startsWith(QStringLiteral("Restore")))
            button->click();
    EXPECT_EQ(dialogs.told, QStringList{QStringLiteral("The backup was restored. Start Corvanta again to open it.")});
    auto restored = PersistentContainer::open(broken);
    ASSERT_TRUE(restored);
    EXPECT_EQ(restored.value()->viewContext().countBalanceEntries().value(), 1);
    StoreFailureDialog::present(message, broken); // offscreen: returns at once
}
} // namespace

namespace {
// Figures far wider than the columns' usual widths still show whole at the smallest window.
TEST_F(MainWindowTest, AmountColumnsWidenToTheWidestFigureShown)
{
    EntryActions::add(app_->context(), {.date = systemNow(), .balance = 1e15, .transfers = -1234567.89});
    window().resize(RootView::minimumWindowSize);
    window().showTab(1);
    QTableView* table = entries()->table();
    ASSERT_TRUE(QTest::qWaitFor([&] {
        const QModelIndex cell = table->model()->index(0, EntryTableModel::BalanceColumn);
        return table->columnWidth(EntryTableModel::BalanceColumn)
            > table->fontMetrics().horizontalAdvance(cell.data().toString());
    }, 2000));
    for (int column : {EntryTableModel::BalanceColumn, EntryTableModel::TransfersColumn, EntryTableModel::AdjustedBalanceColumn}) {
        const QModelIndex cell = table->model()->index(0, column);
        const QFont font = cell.data(Qt::FontRole).isValid() ? cell.data(Qt::FontRole).value<QFont>() : table->font();
        EXPECT_GT(table->columnWidth(column), QFontMetrics(font).horizontalAdvance(cell.data().toString())) << column;
    }
}
// The dashboard and the comparison leave their figures while another tab is shown, and show
// the entry added meanwhile once they are shown again.
TEST_F(MainWindowTest, HiddenTabsCatchUpWhenShown)
{
    TSXComparisonView* comparison = window().content()->comparison();
    window().showTab(1);
    ASSERT_TRUE(EntryActions::add(app_->context(), {.date = systemNow(), .balance = 987654.32}).ok());
    const QString shown = DisplayText::currency(987654.32);
    const auto dashboardCurrentValue = [&] {
        for (const StatRow* row : window().content()->dashboard()->findChildren<StatRow*>())
            if (row->label() == QStringLiteral("Current Value"))
                return row->value();
        return QString();
    };
    window().showTab(0);
    EXPECT_EQ(dashboardCurrentValue(), shown);
    EXPECT_EQ(window().content()->dashboard()->chart()->points().back().balance, 987654.32);
    window().showTab(2);
    EXPECT_EQ(comparison->summary()->cell(2, ComparisonSummaryView::Portfolio).text, shown);
}
} // namespace
