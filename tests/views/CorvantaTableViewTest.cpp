// The entries tab on a store file: the verbs themselves are tested in the actions layer; here,
// that the rows picked with the keys and the editor are the rows acted on, that a refused save
// is reported, and that the selection survives another process's insert.
#include "services/ActionsFixture.h"

#include "analytics/Fmt.h"
#include "services/EntryActions.h"
#include "views/entries/CorvantaTableView.h"
#include "views/entries/EntryEditorView.h"
#include "views/entries/EntryTableModel.h"
#include "views/kit/ModalOverlay.h"
#include "views/kit/PorterDialogs.h"

#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

namespace {

class FakeDialogs : public PorterDialogs {
public:
    std::vector<CSVPorter::Alert> alerts;
    std::optional<QString> chooseFileToImport() override { return std::nullopt; }
    std::optional<QString> chooseFileToExport() override { return std::nullopt; }
    void showAlert(const CSVPorter::Alert& alert) override { alerts.push_back(alert); }
};

// Five saved entries, shown newest first: 140, 1242000, then 120, 110 and 100 without an id.
class CorvantaTableViewTest : public ActionsFixture {
protected:
    void SetUp() override
    {
        const double balances[] = {100, 110, 120, 1242000, 140}; // from 2025-01-01 on, one a day
        for (int day = 0; day < 5; ++day) {
            auto entry = BalanceEntry::create(context());
            if (day >= 3)
                entry->setId(Uuid::random());
            entry->setDate(*Fmt::parseDay("2025-01-01") + std::chrono::days(day));
            entry->setBalance(balances[day]);
        }
        ASSERT_TRUE(context().save().ok());
        undo_.removeAllActions();
        view_ = std::make_unique<CorvantaTableView>(context(), &dialogs_);
        view_->resize(960, 600);
        view_->show();
        view_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(view_.get()));
        table().setFocus();
    }

    EntryTableModel& model() { return *view_->model(); }
    QTableView& table() { return *view_->table(); }
    void selectRows(std::initializer_list<int> rows)
    {
        table().clearSelection();
        for (int row : rows)
            table().selectionModel()->select(model().index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
        table().selectionModel()->setCurrentIndex(model().index(*rows.begin(), 0), QItemSelectionModel::NoUpdate);
    }
    EntryEditorView* editor() { return qobject_cast<EntryEditorView*>(view_->overlay()->content()); }
    QLineEdit* field(const char* name) { return editor()->findChild<QLineEdit*>(QLatin1String(name)); }

    FakeDialogs dialogs_;
    std::unique_ptr<CorvantaTableView> view_;
};

// Rows 2 to 4 have no id: the rows acted on are the rows picked, not the first without an id.
TEST_F(CorvantaTableViewTest, TheKeysActOnThePickedRows)
{
    const auto picked = model().entryAt(2); // 120, no id
    selectRows({2});
    QTest::keyClick(&table(), Qt::Key_Return);
    ASSERT_NE(editor(), nullptr);
    field("adjustmentField")->setText(QStringLiteral("250"));
    QTest::keyClick(field("adjustmentField"), Qt::Key_Return);
    EXPECT_FALSE(view_->overlay()->isOpen());
    EXPECT_EQ(picked->adjustment(), 250);
    EXPECT_EQ(model().entryAt(3)->adjustment(), 0);

    selectRows({3, 0, 4}); // 110 and 100 have no id, 140 has one
    QTest::keyClick(&table(), Qt::Key_Delete);
    ASSERT_EQ(model().rowCount(), 2);
    EXPECT_EQ(std::pair(model().entryAt(0)->balance(), model().entryAt(1)->balance()), std::pair(1242000.0, 120.0));
    EXPECT_TRUE(view_->selectedEntries().empty());
    EXPECT_EQ(stored(), shown());
}

// A save the store refuses: the user is told, and store, rows and editor stay as they were.
TEST_F(CorvantaTableViewTest, FailedSavesAreReportedAndChangeNothing)
{
    const std::string before = shown();
    ASSERT_TRUE(refuseWrites());
    selectRows({0, 4});
    view_->deleteSelected();
    QCoreApplication::processEvents();
    ASSERT_EQ(dialogs_.alerts.size(), 1u);
    // What failed and why in words; the statement and its result code go to the log only.
    EXPECT_EQ(dialogs_.alerts[0], (CSVPorter::Alert{QStringLiteral("The entries could not be deleted: disk full."), QString()}));
    EXPECT_EQ(view_->selectedEntries().size(), 2u);

    selectRows({4});
    view_->editSelected();
    field("balanceField")->setText(QStringLiteral("999"));
    editor()->save();
    ASSERT_TRUE(view_->overlay()->isOpen());
    EXPECT_TRUE(editor()->findChild<QLabel*>(QStringLiteral("saveError"))->text().startsWith(QStringLiteral("Save failed: ")));
    EXPECT_EQ(field("balanceField")->text(), QStringLiteral("999"));
    EXPECT_EQ(shown(), before); // what the verbs leave behind on a failed save is theirs to test
}

TEST_F(CorvantaTableViewTest, SelectionAndCurrentRowFollowTheirEntriesWhenAnotherProcessInserts)
{
    selectRows({2, 1}); // 120 (current) and 1242000
    const auto selected = view_->selectedEntries();
    QSignalSpy resets(&model(), &QAbstractItemModel::modelAboutToBeReset);
    auto other = PersistentContainer::open(path_).value(); // another connection, as the command line
    ASSERT_TRUE(EntryActions::add(other->viewContext(), {.date = Fmt::parseDay("2026-01-01"), .balance = 7}).ok());
    ASSERT_TRUE(QTest::qWaitFor([this] { return model().rowCount() == 6; }, 5000));
    EXPECT_EQ(model().entryAt(0)->balance(), 7);
    EXPECT_EQ(view_->selectedEntries(), selected);
    EXPECT_EQ(table().currentIndex().row(), model().rowOf(*selected[1]));
    EXPECT_EQ(resets.count(), 0); // a row inserted, not the list reloaded
}

} // namespace
