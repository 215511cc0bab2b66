// The index comparison tab over a store file with an undo manager: its table model (under the
// model tester), toolbar and menu, and the yearly editor it opens. The verbs behind them are
// tested in the actions layer; here, what the tab shows, proposes, writes and reports.
#include "services/ActionsFixture.h"

#include "analytics/LocalSettings.h"
#include "services/EntryActions.h"
#include "services/YearActions.h"
#include "views/kit/ModalOverlay.h"
#include "views/comparison/TSXComparisonView.h"
#include "views/comparison/TSXYearEditorView.h"
#include "views/comparison/TSXYearsTableModel.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTest>

namespace {

using Field = TSXYearEditorView::Field;

class ComparisonTest : public ActionsFixture {
protected:
    // Lets the context announce its changes (once per event-loop pass).
    static void settle() { QApplication::processEvents(); }

    // A saved row, one undo step.
    std::shared_ptr<TSXYear> addYear(std::int16_t sortOrder, std::int32_t year, double tsxReturn = 0, double start = 0, double end = 0,
                                     double flows = 0)
    {
        auto added = YearActions::add(context(), {std::nullopt, year, std::nullopt, tsxReturn, start, end, flows, sortOrder});
        settle();
        return added.ok() ? added.value() : nullptr;
    }

    // The tab, opened on first use; its model runs under the model tester.
    TSXComparisonView& view()
    {
        if (!view_) {
            view_ = std::make_unique<TSXComparisonView>(context());
            view_->setAlert([this](QWidget*, const QString& text) { alerts_ << text; });
            tester_ = std::make_unique<QAbstractItemModelTester>(view_->model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
        }
        return *view_;
    }
    TSXYearsTableModel& model() { return *view().model(); }
    TSXYearEditorView* editor() { return qobject_cast<TSXYearEditorView*>(view().overlay()->content()); }
    QString text(Field field) { return editor()->field(field)->text(); }
    void type(Field field, const char* text) { editor()->field(field)->setText(QString::fromUtf8(text)); }

    std::unique_ptr<TSXComparisonView> view_;
    std::unique_ptr<QAbstractItemModelTester> tester_;
    QStringList alerts_;
};

// The proposal follows the largest sortOrder and the largest year, whichever rows hold them;
// nothing is stored before the editor saves. Past position 32,767 Add Year says so instead.
TEST_F(ComparisonTest, AddYearNumbering)
{
    const auto proposal = [this] {
        view().addYear();
        const auto shown = std::pair(editor()->year()->year(), editor()->year()->sortOrder());
        view_.reset();
        return shown;
    };
    EXPECT_EQ(proposal(), std::pair(2015, std::int16_t(0)));
    addYear(-7, 1990); // only a negative position: the next one follows it
    EXPECT_EQ(proposal(), std::pair(1991, std::int16_t(-6)));
    for (const auto& [sortOrder, year] : {std::pair{0, 2024}, std::pair{3, 2022}, std::pair{1, 2021}, std::pair{2, 2023}})
        addYear(std::int16_t(sortOrder), year);
    const std::string before = stored();
    EXPECT_EQ(proposal(), std::pair(2025, std::int16_t(4)));
    EXPECT_EQ(stored(), before);
    addYear(5, 2147483647); // after the largest year the year field starts empty, not wrapped
    EXPECT_EQ(proposal(), std::pair(0, std::int16_t(6)));

    addYear(32767, 2030);
    view().addYear();
    EXPECT_FALSE(view().overlay()->isOpen());
    ASSERT_EQ(alerts_.size(), 1);
    EXPECT_TRUE(alerts_.front().contains(QStringLiteral("32,767")));
}

TEST_F(ComparisonTest, TableTexts)
{
    addYear(0, 2023, -0.05, 100'000, 110'000, 5'000);
    addYear(1, 2024, 0, 0, 0, 0);
    addYear(1, 2025, 0.10, 0, 900, -500); // shares sortOrder 1 and comes later: both rows show it
    const auto labelled = addYear(2, 2026, 0.125, 500, 900, -500);
    labelled->setLabel(QStringLiteral("2026 YTD"));
    settle();

    // Simulated: 100,000 x 0.95 + 5,000; x 1 + 0; x 1.10 - 500; x 1.125 - 500 = 122,687.5.
    // Your Return: (110,000 - 5,000 - 100,000) / 100,000, flows at the year's end; a start of
    // 0 shows a dash.
    const char* const rows[][TSXYearsTableModel::ColumnCount] = {
        {"2023", "-5%", "$5,000", "$100,000", "$110,000", "$100,000", "5%"},
        {"2024", "0%", "$0", "$0", "$0", "$109,500", "\u2014"},
        {"2025", "10%", "-$500", "$0", "$900", "$109,500", "\u2014"},
        {"2026 YTD", "12.5%", "-$500", "$500", "$900", "$122,688", "180%"},
    };
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < TSXYearsTableModel::ColumnCount; ++column)
            EXPECT_EQ(model().index(row, column).data().toString().toStdString(), rows[row][column]) << row << ',' << column;
}

// Rows belong to their objects: inserts and moves keep the selection on its year, and edits
// are announced in place, never as a reset.
TEST_F(ComparisonTest, RowsFollowTheirYears)
{
    addYear(1, 2024, 0.10, 1000);
    const auto selected = addYear(2, 2025, 0.10);
    view().table()->selectRow(1);
    QSignalSpy resets(&model(), &QAbstractItemModel::modelReset);

    addYear(0, 2023);
    EXPECT_EQ(view().selectedYear(), selected);
    TSXYear::Values moved = selected->values();
    moved.sortOrder = -1;
    ASSERT_TRUE(YearActions::update(context(), selected, moved).ok());
    settle();
    EXPECT_EQ(model().rowOf(*selected), 0);
    EXPECT_EQ(view().selectedYear(), selected);
    EXPECT_EQ(resets.count(), 0);
}

// The context menu's Delete deletes the selected row; rows are told apart by object, so of
// two rows without an id the selected one goes.
TEST_F(ComparisonTest, DeleteActsOnTheSelection)
{
    for (const int year : {2023, 2024})
        TSXYear::create(context())->setYear(year);
    ASSERT_TRUE(context().save().ok());
    const auto kept = model().yearAt(0);
    const auto target = model().yearAt(1);
    view().table()->selectRow(1);
    std::unique_ptr<QMenu> menu(view().buildContextMenu());
    menu->actions()[1]->trigger();
    settle();
    EXPECT_EQ(model().rowOf(*target), -1);
    EXPECT_EQ(model().rowOf(*kept), 0);
    EXPECT_EQ(stored(), shown());
}

// A new year is proposed, not inserted: Cancel leaves the store, the table and the undo
// history as they were (the step recorded before stays the one Undo takes back).
TEST_F(ComparisonTest, CancelOfANewYearLeavesNoTrace)
{
    addYear(0, 2015, 0.1, 100);
    const std::string before = stored();
    view().addYear();
    editor()->load();
    type(Field::TsxReturn, "0.3");
    editor()->cancel();
    settle();
    EXPECT_FALSE(view().overlay()->isOpen());
    EXPECT_EQ(shown(), before);
    EXPECT_EQ(stored(), before);
    EXPECT_EQ(model().rowCount(), 1);
    EXPECT_FALSE(context().hasChanges());
    undo_.undo();
    EXPECT_EQ(shown(), "");
}

// Each field reaches its own value (the readers are tested with the field texts); the label is
// kept as typed; the return reads as a per cent and shows what it was read as. An amount that
// cannot be read says why and keeps Save disabled.
TEST_F(ComparisonTest, SaveWritesEachFieldToItsValue)
{
    const auto year = addYear(0, 2015, 0.215, 1000);
    view().table()->selectRow(0);
    view().editSelected();
    editor()->load();
    type(Field::TsxReturn, "abc");
    EXPECT_EQ(editor()->fieldMessage(Field::TsxReturn), QStringLiteral("Enter a number such as -1000 or 1,250.50"));
    EXPECT_FALSE(editor()->findChild<QPushButton*>(QStringLiteral("saveButton"))->isEnabled());
    for (const auto& [field, typed] : {std::pair{Field::Year, " 2024 "}, std::pair{Field::Label, " "}, std::pair{Field::TsxReturn, "21.5%"},
                                       std::pair{Field::NetCashFlows, "1e-2"}, std::pair{Field::ActualStart, "-1,000"},
                                       std::pair{Field::ActualEnd, "\u2212500"}})
        type(field, typed);
    EXPECT_EQ(editor()->findChild<QLabel*>(QStringLiteral("returnShown"))->text(), QStringLiteral("= 21.5 %"));
    editor()->save();
    settle();
    EXPECT_FALSE(view().overlay()->isOpen());
    const TSXYear::Values saved = year->values();
    EXPECT_EQ(std::tuple(saved.year, saved.label, saved.tsxReturn, saved.netCashFlows, saved.actualStart, saved.actualEnd),
              std::tuple(2024, std::optional(QStringLiteral(" ")), 0.215, 0.01, -1000.0, -500.0));
    EXPECT_EQ(model().index(0, TSXYearsTableModel::Year).data().toString(), QStringLiteral(" "));
}

// Undo taking back the selected year clears the selection (Qt would select a neighbour), so
// Delete cannot reach a year nobody picked; an editor open on a year another connection
// deletes says so and cannot bring it back.
TEST_F(ComparisonTest, AYearThatDisappearsIsNeitherSelectedNorRecreated)
{
    addYear(0, 2023);
    addYear(1, 2024);
    addYear(2, 2025);
    view().table()->selectRow(2);
    undo_.undo();
    ASSERT_TRUE(context().save().ok());
    settle();
    EXPECT_FALSE(view().table()->selectionModel()->hasSelection());
    view().deleteSelected();
    settle();
    EXPECT_EQ(model().rowCount(), 2);

    const auto year = model().yearAt(0);
    view().edit(year);
    editor()->load();
    type(Field::ActualEnd, "5");
    auto other = PersistentContainer::open(path_).value();
    ASSERT_TRUE(YearActions::remove(other->viewContext(), {other->viewContext().fetchTSXYears().value().front()}).ok());
    ASSERT_TRUE(QTest::qWaitFor([this] { return model().rowCount() == 1; }, 5000));
    EXPECT_EQ(editor()->message(), QStringLiteral("This year was deleted elsewhere."));
    EXPECT_FALSE(editor()->findChild<QPushButton*>(QStringLiteral("saveButton"))->isEnabled());
    editor()->save();
    settle();
    EXPECT_EQ(model().rowCount(), 1);
    EXPECT_EQ(stored(), shown());
}

// A refused save says why: the editor (for a new or an existing year) stays open with the
// texts as typed, Delete shows an alert, and no year shows a change.
TEST_F(ComparisonTest, RefusedSavesAreReportedAndChangeNothing)
{
    const auto year = addYear(0, 2015, 0.1, 100);
    const std::string before = shown();
    ASSERT_TRUE(refuseWrites());
    for (const bool isNew : {false, true}) {
        isNew ? view().addYear() : view().edit(year);
        editor()->load();
        type(Field::ActualEnd, "777");
        editor()->save();
        settle();
        ASSERT_TRUE(view().overlay()->isOpen()) << isNew;
        EXPECT_TRUE(editor()->message().startsWith(QStringLiteral("Save failed: "))) << isNew;
        EXPECT_EQ(text(Field::ActualEnd), QStringLiteral("777"));
        editor()->cancel();
    }
    view().table()->selectRow(0);
    view().deleteSelected();
    settle();
    ASSERT_EQ(alerts_.size(), 1);
    EXPECT_TRUE(alerts_.front().startsWith(QStringLiteral("Save failed: ")));
    EXPECT_EQ(shown(), before); // what the verbs leave behind on a failed save is theirs to test
}

// Fill from Entries writes the typed year's figures into their fields only; a year without
// entries says so and changes nothing.
TEST_F(ComparisonTest, FillFromEntries)
{
    for (const auto& [date, balance, flow] : {std::tuple{localTime(2023, 12, 31), 100.0, 0.0}, std::tuple{localTime(2024, 3, 1), 150.0, 40.0},
                                             std::tuple{localTime(2024, 12, 31, 20), 180.0, -10.0}})
        ASSERT_TRUE(EntryActions::add(context(), {.date = date, .balance = balance, .adjustment = flow}).ok());
    view().addYear();
    editor()->load();
    type(Field::Year, "2024");
    editor()->fillFromEntries();
    EXPECT_EQ(QStringList({text(Field::ActualStart), text(Field::ActualEnd), text(Field::NetCashFlows)}),
              QStringList({QStringLiteral("100.0"), QStringLiteral("180.0"), QStringLiteral("30.0")}));
    EXPECT_TRUE(editor()->message().isEmpty());
    EXPECT_EQ(stored().find("year "), std::string::npos);

    type(Field::Year, "2025");
    editor()->fillFromEntries();
    EXPECT_EQ(editor()->message(), QStringLiteral("There are no entries dated in 2025."));
    EXPECT_EQ(text(Field::ActualEnd), QStringLiteral("180.0"));
}

} // namespace
