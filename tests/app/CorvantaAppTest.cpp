// The shell end to end: start-up order, the menus' undo and redo, the window's shape.
#include "app/ContentView.h"
#include "app/CorvantaApp.h"
#include "app/DashboardView.h"
#include "app/RootView.h"
#include "model/ObjectContext.h"
#include "model/PersistenceController.h"
#include "views/NewEntryFormView.h"
#include "views/StatRow.h"

#include <QAction>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QTimer>
#include <QPushButton>
#include <QScrollArea>
#include <QSettings>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <gmock/gmock.h>

using ::testing::ElementsAre;

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
    void TearDown() override { app_.reset(); }

    ObjectContext& context() { return app_->context(); }
    std::size_t entryCount() { return context().fetchBalanceEntries().value().size(); }

    QAction* menuAction(const QString& text)
    {
        for (QAction* action : app_->window().findChildren<QAction*>())
            if (action->text() == text)
                return action;
        ADD_FAILURE() << "no action " << text.toStdString();
        return nullptr;
    }

    void submit(const QString& balance)
    {
        auto* form = app_->window().findChild<NewEntryFormView*>();
        form->findChild<QLineEdit*>(QStringLiteral("balanceField"))->setText(balance);
        QTest::mouseClick(form->findChild<QPushButton*>(QStringLiteral("submitButton")), Qt::LeftButton);
    }

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

TEST_F(CorvantaAppTest, SeededDataIsThereAndNotUndoable)
{
    EXPECT_EQ(entryCount(), seededEntries);
    ASSERT_NE(context().undoManager(), nullptr);
    EXPECT_FALSE(context().undoManager()->canUndo());

    QSignalSpy saves(&context(), &ObjectContext::didSave);
    menuAction(QStringLiteral("Undo"))->trigger();
    menuAction(QStringLiteral("Redo"))->trigger();
    EXPECT_EQ(entryCount(), seededEntries);
    EXPECT_EQ(saves.count(), 0);
}

TEST_F(CorvantaAppTest, UndoAndRedoOfASubmitReachTheStoreAndTheDashboard)
{
    // The newest seeded entry (2024-03-31) holds 99,000; a submit is dated today.
    EXPECT_EQ(shownCurrentValue(), QStringLiteral("$99,000"));
    submit(QStringLiteral("777"));
    ASSERT_EQ(entryCount(), seededEntries + 1);
    EXPECT_EQ(shownCurrentValue(), QStringLiteral("$777"));

    QSignalSpy saves(&context(), &ObjectContext::didSave);
    menuAction(QStringLiteral("Undo"))->trigger();
    EXPECT_EQ(entryCount(), seededEntries);
    EXPECT_EQ(saves.count(), 1);
    EXPECT_FALSE(context().hasChanges());
    EXPECT_EQ(shownCurrentValue(), QStringLiteral("$99,000"));

    menuAction(QStringLiteral("Redo"))->trigger();
    EXPECT_EQ(entryCount(), seededEntries + 1);
    EXPECT_EQ(saves.count(), 2);
    EXPECT_FALSE(context().hasChanges());
    EXPECT_EQ(shownCurrentValue(), QStringLiteral("$777"));
}

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

// Ctrl+Z typed in a form field: the field's own typing goes first; a field with nothing to
// undo lets the keys through to the store's Undo and Redo.
TEST_F(CorvantaAppTest, UndoKeysInAFormFieldStepTheFieldFirstThenTheStore)
{
    RootView& window = app_->window();
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    submit(QStringLiteral("777"));
    ASSERT_EQ(entryCount(), seededEntries + 1);

    auto* form = window.findChild<NewEntryFormView*>();
    auto* transfers = form->findChild<QLineEdit*>(QStringLiteral("transfersField"));
    transfers->setFocus();
    QTest::keyClicks(transfers, QStringLiteral("12"));
    QTest::keyClick(transfers, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(transfers->text().isEmpty());
    EXPECT_EQ(entryCount(), seededEntries + 1);

    QTest::keyClick(transfers, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(entryCount(), seededEntries);
    EXPECT_FALSE(context().hasChanges());
    QTest::keyClick(transfers, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(transfers->text(), QStringLiteral("12")); // the field's redo first
    QTest::keyClick(transfers, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(entryCount(), seededEntries + 1);
}

TEST_F(CorvantaAppTest, AboutOpensTheAboutBox)
{
    QString title;
    QTimer::singleShot(0, [&title] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            title = box->windowTitle();
            box->accept();
        }
    });
    menuAction(QStringLiteral("About Corvanta"))->trigger();
    EXPECT_EQ(title, QStringLiteral("About Corvanta"));
}

TEST_F(CorvantaAppTest, DashboardPanesKeepTheirWidthLimits)
{
    RootView& window = app_->window();
    auto* dashboard = window.findChild<DashboardView*>();
    auto* sidebar = dashboard->findChild<QScrollArea*>(QStringLiteral("dashboardSidebar"));
    EXPECT_EQ(sidebar->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);

    for (const QSize size : {QSize(960, 640), QSize(1920, 1000)}) {
        window.resize(size);
        window.show();
        QCoreApplication::processEvents();
        const QList<int> widths = dashboard->sizes();
        EXPECT_GE(widths[0], DashboardView::sidebarMinimumWidth) << size.width();
        EXPECT_LE(widths[0], DashboardView::sidebarMaximumWidth) << size.width();
        EXPECT_GE(widths[1], DashboardView::chartMinimumWidth) << size.width();
    }
    window.resize(400, 300);
    EXPECT_EQ(window.size(), QSize(960, 640));
}

} // namespace
