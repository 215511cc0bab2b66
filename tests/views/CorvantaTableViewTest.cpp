// The entries tab on a store file: what its buttons, keys and editor do to the store, checked
// as whole-row snapshots of the file read through a connection of its own.
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

#include <QAction>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <gmock/gmock.h>

using ::testing::ElementsAre;

namespace {

// Every entry row of the store file, every column but the store's own row key, in a fixed order.
std::vector<std::string> storeRows(const QString& path)
{
    std::vector<std::string> rows;
    sqlite3* db = nullptr;
    sqlite3_stmt* query = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK
        && sqlite3_prepare_v2(db, "SELECT id, date, balance, adjustment, transfers, note FROM BalanceEntry ORDER BY date, balance", -1, &query, nullptr) == SQLITE_OK) {
        while (sqlite3_step(query) == SQLITE_ROW) {
            std::string row;
            for (int column = 0; column < sqlite3_column_count(query); ++column) {
                const auto* text = sqlite3_column_text(query, column);
                row += (text ? reinterpret_cast<const char*>(text) : "NULL") + std::string("|");
            }
            rows.push_back(row);
        }
    }
    sqlite3_finalize(query);
    sqlite3_close(db);
    return rows;
}

class FakeDialogs : public PorterDialogs {
public:
    std::optional<QString> importPath;
    std::optional<QString> exportPath;
    std::vector<CSVPorter::Alert> alerts;
    std::optional<QString> chooseFileToImport() override { return importPath; }
    std::optional<QString> chooseFileToExport() override { return exportPath; }
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
    QAction* action(const char* name) { return view_->findChild<QAction*>(QLatin1String(name)); }
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

TEST_F(CorvantaTableViewTest, ToolbarOffersItsCommandsEnabledByTheSelection)
{
    QStringList titles, tips;
    for (QAction* a : view_->toolBar()->actions()) {
        titles << (a->isSeparator() ? QStringLiteral("|") : a->text());
        tips << a->toolTip();
        if (!a->isSeparator()) {
            EXPECT_FALSE(a->icon().isNull()) << a->text().toStdString();
        }
    }
    EXPECT_EQ(titles.join(QLatin1Char(' ')), QStringLiteral("Add Edit Delete | Export CSV Import CSV"));
    EXPECT_EQ(tips[2], QStringLiteral("Delete the selected entries"));
    EXPECT_EQ(shownBalances(), (std::vector<double>{140, 1242000, 120, 110, 100})); // newest first

    struct Case {
        std::initializer_list<int> rows;
        bool edit, remove;
    };
    for (const Case& c : {Case{{}, false, false}, Case{{1}, true, true}, Case{{1, 3}, false, true}}) {
        SCOPED_TRACE(c.rows.size());
        selectRows(c.rows);
        EXPECT_EQ(action("editAction")->isEnabled(), c.edit);
        EXPECT_EQ(action("deleteAction")->isEnabled(), c.remove);
        EXPECT_TRUE(action("addAction")->isEnabled() && action("exportAction")->isEnabled() && action("importAction")->isEnabled());
    }
    // Ctrl+A on the table selects every row.
    table().setFocus();
    QTest::keyClick(&table(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(view_->selectedEntries().size(), 5u);
}

TEST_F(CorvantaTableViewTest, AddThenCancelLeavesNothingAndAddThenSaveInserts)
{
    const auto before = storeRows(path_);
    action("addAction")->trigger();
    ASSERT_NE(editor(), nullptr);
    EXPECT_EQ(editor()->findChild<QLabel*>(QStringLiteral("editorTitle"))->text(), QStringLiteral("Add Entry"));
    EXPECT_EQ(editor()->width(), 360);
    EXPECT_EQ(field("dateField")->text().toStdString(),
              *Fmt::isoDay(std::chrono::time_point_cast<std::chrono::milliseconds>(std::chrono::system_clock::now())));
    EXPECT_TRUE(field("balanceField")->text().isEmpty());
    const auto saveButton = [this] { return editor()->findChild<QPushButton*>(QStringLiteral("saveButton")); };
    EXPECT_FALSE(saveButton()->isEnabled());
    QTest::keyClicks(field("balanceField"), QStringLiteral("5000"));
    QTest::keyClick(field("balanceField"), Qt::Key_Escape);
    EXPECT_FALSE(view_->overlay()->isOpen());
    EXPECT_EQ(storeRows(path_), before);
    EXPECT_EQ(model().rowCount(), 5);

    action("addAction")->trigger();
    QTest::keyClicks(field("balanceField"), QStringLiteral("5000"));
    EXPECT_TRUE(saveButton()->isEnabled());
    QTest::keyClick(field("balanceField"), Qt::Key_Return);
    EXPECT_FALSE(view_->overlay()->isOpen());
    ASSERT_EQ(storeRows(path_).size(), 6u);
    EXPECT_EQ(model().entryAt(0)->balance(), 5000);
    EXPECT_TRUE(model().entryAt(0)->id().has_value());
}

// Rows 2 and 3 have no id: the row acted on is the row picked, not the first without an id.
TEST_F(CorvantaTableViewTest, EditorSavesThePickedRowAsOneUndoStep)
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

    const auto before = storeRows(path_);
    const auto edited = model().entryAt(1); // 1242000
    const QPoint cell = table().visualRect(model().index(1, 1)).center();
    QTest::mouseClick(table().viewport(), Qt::LeftButton, {}, cell); // the double click's first press
    QTest::mouseDClick(table().viewport(), Qt::LeftButton, {}, cell);
    ASSERT_NE(editor(), nullptr);
    EXPECT_EQ(editor()->entry(), edited);
    EXPECT_EQ(field("balanceField")->text(), QStringLiteral("1242000.0"));
    EXPECT_TRUE(field("transfersField")->text().isEmpty());
    field("transfersField")->setText(QStringLiteral("-12.5"));
    editor()->save();
    const auto after = storeRows(path_);
    EXPECT_NE(after, before);
    undo();
    EXPECT_EQ(storeRows(path_), before);
    redo();
    EXPECT_EQ(storeRows(path_), after);
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
    ASSERT_EQ(after.size(), 2u);

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
}

TEST_F(CorvantaTableViewTest, ImportAndExportGoThroughTheDialogs)
{
    QStringList logged;
    static QStringList* sink = nullptr;
    sink = &logged;
    const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& text) { sink->append(text); });
    dialogs_.importPath = QStringLiteral(CORVANTA_SOURCE_DIR "/samples/corvanta-sample.csv");
    action("importAction")->trigger();
    qInstallMessageHandler(previous);
    EXPECT_EQ(model().rowCount(), 5 + 60);
    EXPECT_THAT(logged, ::testing::Contains(QStringLiteral("Imported 60 rows")));

    dialogs_.exportPath = folder_.filePath(QStringLiteral("out.csv"));
    action("exportAction")->trigger();
    QFile written(*dialogs_.exportPath);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(written.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts).size(), 1 + 65);
}

} // namespace
