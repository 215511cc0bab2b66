// The entries tab on a store file: what its keys and editor do to the store, checked as
// whole-row snapshots of the file read through a connection of its own. The verbs themselves
// are tested in the actions layer; here, that the rows picked are the rows acted on.
#include "views/CorvantaTableView.h"

#include "analytics/Fmt.h"
#include "model/ObjectContext.h"
#include "model/PersistentContainer.h"
#include "model/UndoManager.h"
#include "support/StoreSql.h"
#include "views/EntryEditorView.h"
#include "views/EntryTableModel.h"
#include "views/ModalOverlay.h"
#include "views/PorterDialogs.h"

#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QSignalSpy>
#include <QTest>
#include <gmock/gmock.h>

namespace {

// Every entry row of the store file, every column but the store's own row key, in a fixed order.
std::string storeRows(const QString& path)
{
    return queryStore(path, "SELECT group_concat(quote(id) || ',' || quote(date) || ',' || balance || ',' || adjustment || ','"
                            " || transfers || ',' || quote(note), ';') FROM (SELECT * FROM BalanceEntry ORDER BY date, balance)");
}

class FakeDialogs : public PorterDialogs {
public:
    std::vector<CSVPorter::Alert> alerts;
    std::optional<QString> chooseFileToImport() override { return std::nullopt; }
    std::optional<QString> chooseFileToExport() override { return std::nullopt; }
    void showAlert(const CSVPorter::Alert& alert) override { alerts.push_back(alert); }
};

class CorvantaTableViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        container_ = std::move(PersistentContainer::open(path_).value());
        undo_.setLevelsOfUndo(50);
        context().setUndoManager(&undo_);
        for (const auto& [day, balance, withId] : std::vector<std::tuple<const char*, double, bool>>{
                 {"2025-01-01", 100, true}, {"2025-01-02", 110, false}, {"2025-01-03", 120, false},
                 {"2025-01-04", 1242000, true}, {"2025-01-05", 140, true}}) {
            auto entry = BalanceEntry::create(context());
            if (withId)
                entry->setId(Uuid::random());
            entry->setDate(Fmt::parseDay(day));
            entry->setBalance(balance);
        }
        ASSERT_TRUE(context().save().ok());
        undo_.removeAllActions();
        view_ = std::make_unique<CorvantaTableView>(context(), &dialogs_);
        view_->resize(960, 600);
        view_->show();
        view_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(view_.get()));
    }
    void TearDown() override
    {
        view_.reset();
        context().setUndoManager(nullptr);
    }

    ObjectContext& context() { return container_->viewContext(); }
    EntryTableModel& model() { return *view_->model(); }
    QTableView& table() { return *view_->table(); }
    void selectRows(std::initializer_list<int> rows)
    {
        table().clearSelection();
        for (int row : rows)
            table().selectionModel()->select(model().index(row, 0),
                                             QItemSelectionModel::Select | QItemSelectionModel::Rows);
        if (rows.size() > 0)
            table().selectionModel()->setCurrentIndex(model().index(*rows.begin(), 0), QItemSelectionModel::NoUpdate);
    }
    std::vector<double> shownBalances()
    {
        std::vector<double> balances;
        for (int row = 0; row < model().rowCount(); ++row)
            balances.push_back(model().entryAt(row)->balance());
        return balances;
    }
    EntryEditorView* editor() { return qobject_cast<EntryEditorView*>(view_->overlay()->content()); }
    QLineEdit* field(const char* name) { return editor()->findChild<QLineEdit*>(QLatin1String(name)); }
    // Undo and Redo as the Edit menu does them: one step, then a save.
    void undo() { undo_.undo(); ASSERT_TRUE(context().save().ok()); }
    void redo() { undo_.redo(); ASSERT_TRUE(context().save().ok()); }

    QTemporaryDir folder_;
    QString path_ = folder_.filePath(QStringLiteral("Corvanta.sqlite"));
    std::unique_ptr<PersistentContainer> container_;
    UndoManager undo_;
    FakeDialogs dialogs_;
    std::unique_ptr<CorvantaTableView> view_;
};

// Rows 2 and 3 have no id: the row acted on is the row picked, not the first without an id.
TEST_F(CorvantaTableViewTest, EditorSavesThePickedRow)
{
    const auto picked = model().entryAt(2); // 120, no id
    table().setFocus();
    selectRows({2});
    QTest::keyClick(&table(), Qt::Key_Return);
    ASSERT_NE(editor(), nullptr);
    EXPECT_EQ(editor()->entry(), picked);
    field("adjustmentField")->setText(QStringLiteral("250"));
    QTest::keyClick(field("adjustmentField"), Qt::Key_Return);
    EXPECT_FALSE(view_->overlay()->isOpen());
    EXPECT_EQ(picked->adjustment(), 250);
    EXPECT_TRUE(picked->id().has_value()); // an absent id is given one
    EXPECT_EQ(model().entryAt(3)->adjustment(), 0);
}

TEST_F(CorvantaTableViewTest, DeleteKeyDeletesThePickedRowsAndUndoRedoRestoreTheStore)
{
    const auto before = storeRows(path_);
    table().setFocus();
    selectRows({3, 0, 2}); // 110 and 120 have no id, 140 has one
    QTest::keyClick(&table(), Qt::Key_Delete);
    EXPECT_EQ(shownBalances(), (std::vector<double>{1242000, 100}));
    EXPECT_TRUE(view_->selectedEntries().empty());
    const auto after = storeRows(path_);
    EXPECT_EQ(queryStore(path_, "SELECT count(*) FROM BalanceEntry"), "2");

    undo();
    EXPECT_EQ(storeRows(path_), before);
    EXPECT_EQ(shownBalances(), (std::vector<double>{140, 1242000, 120, 110, 100}));
    redo();
    EXPECT_EQ(storeRows(path_), after);
}

// A save the store refuses: the user is told, and store, rows and editor stay as they were.
TEST_F(CorvantaTableViewTest, FailedSavesAreReportedAndChangeNothing)
{
    const auto before = storeRows(path_);
    ASSERT_TRUE(execOnStore(path_, "CREATE TRIGGER refuseDelete BEFORE DELETE ON BalanceEntry BEGIN SELECT RAISE(ABORT, 'refused'); END;"
                                   "CREATE TRIGGER refuseUpdate BEFORE UPDATE ON BalanceEntry BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    selectRows({0, 4});
    view_->deleteSelected();
    QCoreApplication::processEvents();
    ASSERT_EQ(dialogs_.alerts.size(), 1u);
    EXPECT_THAT(dialogs_.alerts[0].messageText.toStdString(), ::testing::StartsWith("Save failed: "));
    EXPECT_EQ(shownBalances(), (std::vector<double>{140, 1242000, 120, 110, 100}));
    EXPECT_EQ(view_->selectedEntries().size(), 2u);
    EXPECT_FALSE(context().hasChanges());
    EXPECT_FALSE(undo_.canUndo());

    selectRows({4});
    view_->editSelected();
    field("balanceField")->setText(QStringLiteral("999"));
    editor()->save();
    ASSERT_TRUE(view_->overlay()->isOpen());
    EXPECT_THAT(editor()->findChild<QLabel*>(QStringLiteral("saveError"))->text().toStdString(), ::testing::StartsWith("Save failed: "));
    EXPECT_EQ(field("balanceField")->text(), QStringLiteral("999"));
    EXPECT_EQ(model().entryAt(4)->balance(), 100);
    EXPECT_FALSE(context().hasChanges());
    EXPECT_EQ(storeRows(path_), before);
}

TEST_F(CorvantaTableViewTest, SelectionAndCurrentRowFollowTheirEntriesWhenAnotherProcessInserts)
{
    selectRows({2, 1}); // 120 (current) and 1242000
    const auto selected = view_->selectedEntries();
    QSignalSpy resets(&model(), &QAbstractItemModel::modelAboutToBeReset);
    {
        auto other = PersistentContainer::open(path_).value(); // another connection, as the command line
        auto entry = BalanceEntry::create(other->viewContext());
        entry->setDate(Fmt::parseDay("2026-01-01"));
        entry->setBalance(7);
        ASSERT_TRUE(other->viewContext().save().ok());
    }
    ASSERT_TRUE(QTest::qWaitFor([this] { return model().rowCount() == 6; }, 5000));
    EXPECT_EQ(model().entryAt(0)->balance(), 7);
    EXPECT_EQ(view_->selectedEntries(), selected);
    EXPECT_EQ(table().currentIndex().row(), model().rowOf(*selected[1]));
    EXPECT_EQ(resets.count(), 0); // a row inserted, not the list reloaded
}

} // namespace
