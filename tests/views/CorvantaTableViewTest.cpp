// The entries tab on a store file: the verbs themselves are tested in the actions layer; here,
// that the rows picked with the keys and the editor are the rows acted on, that a refused save
// is reported, and that the selection survives another process's insert. And the entry
// editor's texts: what it shows for an entry and what Save makes of the texts.
#include "services/ActionsFixture.h"

#include "analytics/Fmt.h"
#include "views/CorvantaTableView.h"
#include "views/EntryEditorText.h"
#include "views/EntryEditorView.h"
#include "views/EntryTableModel.h"
#include "views/ModalOverlay.h"
#include "views/PorterDialogs.h"

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
        ActionsFixture::SetUp();
        for (const auto& [day, balance, withId] : std::vector<std::tuple<const char*, double, bool>>{
                 {"2025-01-01", 100, false}, {"2025-01-02", 110, false}, {"2025-01-03", 120, false},
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
        table().setFocus();
    }
    void TearDown() override
    {
        view_.reset();
        ActionsFixture::TearDown();
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
    std::vector<double> shownBalances()
    {
        std::vector<double> balances;
        for (int row = 0; row < model().rowCount(); ++row)
            balances.push_back(model().entryAt(row)->balance());
        return balances;
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
    EXPECT_EQ(editor()->entry(), picked);
    field("adjustmentField")->setText(QStringLiteral("250"));
    QTest::keyClick(field("adjustmentField"), Qt::Key_Return);
    EXPECT_FALSE(view_->overlay()->isOpen());
    EXPECT_EQ(picked->adjustment(), 250);
    EXPECT_EQ(model().entryAt(3)->adjustment(), 0);

    selectRows({3, 0, 4}); // 110 and 100 have no id, 140 has one
    QTest::keyClick(&table(), Qt::Key_Delete);
    EXPECT_EQ(shownBalances(), (std::vector<double>{1242000, 120}));
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
    EXPECT_TRUE(dialogs_.alerts[0].messageText.startsWith(QStringLiteral("Save failed: ")));
    EXPECT_EQ(shownBalances(), (std::vector<double>{140, 1242000, 120, 110, 100}));
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

const Instant now = *Fmt::parseDay("2026-06-04") + std::chrono::hours(15);

BalanceEntry::Values valuesWith(double balance, double adjustment, double transfers)
{
    return {.id = Uuid::random(), .date = *Fmt::parseDay("2025-03-05") + std::chrono::hours(9), .balance = balance,
            .adjustment = adjustment, .transfers = transfers, .note = std::nullopt};
}

TEST(EntryEditorText, LoadShowsShortestExactNumbersAndEmptiesZeros)
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
        {valuesWith(0.1 + 0.2, 1e17, 5e-324), false, "2025-03-05", "0.30000000000000004", "1e+17", "5e-324"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.balance);
        const EntryEditorText text = EntryEditorText::load(c.values, c.isNew, now);
        EXPECT_EQ(QStringList({text.dateText, text.balance, text.adjustment, text.transfers}),
                  QStringList({QString::fromUtf8(c.date), QString::fromUtf8(c.balance), QString::fromUtf8(c.adjustment),
                               QString::fromUtf8(c.transfers)}));
        // What is shown reads back to the same numbers (an empty balance cannot be saved).
        const auto saved = text.values();
        ASSERT_EQ(saved.has_value(), !text.balance.isEmpty());
        if (saved) {
            EXPECT_EQ(std::tuple(saved->balance, saved->adjustment, saved->transfers),
                      std::tuple(c.values.balance, c.values.adjustment, c.values.transfers));
        }
    }
}

TEST(EntryEditorText, SaveReadsADayAndABalanceAndDefaultsTheRest)
{
    EntryEditorText text{.dateText = QStringLiteral("2025-03-05"), .balance = QStringLiteral("5000"),
                         .adjustment = QStringLiteral("abc"), .transfers = QString(), .note = QString()};
    auto values = text.values();
    ASSERT_TRUE(values.has_value());
    // Local midnight; no note for an empty one; no id (the entry keeps its own or gets a fresh one).
    EXPECT_EQ(std::tuple(values->date, values->balance, values->adjustment, values->transfers, values->note, values->id),
              std::tuple(Fmt::parseDay("2025-03-05"), 5000.0, 0.0, 0.0, std::optional<QString>(), std::optional<Uuid>()));

    text.note = QStringLiteral("   ");
    EXPECT_EQ(text.values()->note, QStringLiteral("   "));

    struct Refused {
        const char *date, *balance;
        bool hint;
    };
    // The readers themselves are tested with Fmt; here, which failures show the date hint.
    for (const Refused& r : {Refused{"2025-03-05", "", false}, Refused{"2025-03-05", "1,000", false}, Refused{" \t", "1", false},
                             Refused{"03/05/2025", "1", true}}) {
        SCOPED_TRACE(std::string(r.date) + " / " + r.balance);
        text.dateText = QString::fromUtf8(r.date);
        text.balance = QString::fromUtf8(r.balance);
        EXPECT_FALSE(text.values().has_value());
        EXPECT_EQ(text.showsDateHint(), r.hint);
    }
}

} // namespace
