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
#include <QTextEdit>

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

namespace {

// Amounts as people copy them are read exactly; an unreadable one says why under its field and
// keeps Save disabled, so nothing is stored as a guess.
TEST_F(CorvantaTableViewTest, TheEditorReadsAmountsExactlyOrSaysWhy)
{
    const auto picked = model().entryAt(0);
    selectRows({0});
    view_->editSelected();
    field("adjustmentField")->setText(QStringLiteral("-1,000"));
    field("transfersField")->setText(QStringLiteral("\u2212500"));
    field("balanceField")->setText(QStringLiteral("abc"));
    EXPECT_FALSE(editor()->findChild<QWidget*>(QStringLiteral("saveButton"))->isEnabled());
    EXPECT_EQ(editor()->findChild<QLabel*>(QStringLiteral("balanceMessage"))->text(),
              QStringLiteral("Enter a number such as -1000 or 1,250.50"));
    editor()->save();
    EXPECT_EQ(picked->adjustment(), 0);
    field("balanceField")->setText(QStringLiteral("$1,250.50"));
    editor()->save();
    EXPECT_FALSE(view_->overlay()->isOpen());
    EXPECT_EQ(std::tuple(picked->balance(), picked->adjustment(), picked->transfers()), std::tuple(1250.5, -1000.0, -500.0));
}

// A note is written back exactly as it was when nobody touched it (QTextEdit would turn CR LF,
// a lone CR and U+2028 into LF and a no-break space into a space); a typed no-break space stays.
TEST_F(CorvantaTableViewTest, TheEditorKeepsNotesByteForByte)
{
    const QString kept[] = {
        QStringLiteral("a\u00A0b\r\nc\u2028d\re\tf \u05E9\u05DC\u05D5\u05DD g"),
        QStringLiteral("one line of a long note\u00A0\r\n").repeated(4096), // 100 kB
    };
    const auto picked = model().entryAt(0);
    for (const QString& note : kept) {
        ASSERT_TRUE(EntryActions::update(context(), picked, {.date = picked->date(), .balance = 140, .note = note}).ok());
        selectRows({0});
        view_->editSelected();
        field("balanceField")->setText(QStringLiteral("141"));
        editor()->save();
        EXPECT_EQ(picked->note(), note);
        EXPECT_EQ(picked->balance(), 141);
    }
    selectRows({0});
    view_->editSelected();
    auto* noteField = editor()->findChild<QTextEdit*>(QStringLiteral("noteField"));
    noteField->setPlainText(QStringLiteral("typed\u00A0space"));
    editor()->save();
    EXPECT_EQ(picked->note(), QStringLiteral("typed\u00A0space"));
}

// Another connection deletes the entry under an open editor: the panel says so, Save is
// disabled, and a save run anyway re-creates nothing.
TEST_F(CorvantaTableViewTest, TheEditorNeverRecreatesAnEntryDeletedElsewhere)
{
    const auto picked = model().entryAt(1); // 1242000
    selectRows({1});
    view_->editSelected();
    field("balanceField")->setText(QStringLiteral("5"));
    auto other = PersistentContainer::open(path_).value();
    auto entries = other->viewContext().fetchBalanceEntries().value();
    std::erase_if(entries, [](const auto& entry) { return entry->balance() != 1242000; });
    ASSERT_TRUE(EntryActions::remove(other->viewContext(), entries).ok());
    ASSERT_TRUE(QTest::qWaitFor([this] { return model().rowCount() == 4; }, 5000));
    EXPECT_EQ(editor()->findChild<QLabel*>(QStringLiteral("saveError"))->text(), QStringLiteral("This entry was deleted elsewhere."));
    EXPECT_FALSE(editor()->findChild<QWidget*>(QStringLiteral("saveButton"))->isEnabled());
    editor()->save();
    QCoreApplication::processEvents();
    EXPECT_EQ(model().rowCount(), 4);
    EXPECT_EQ(stored().find("1242000"), std::string::npos);
}

} // namespace
