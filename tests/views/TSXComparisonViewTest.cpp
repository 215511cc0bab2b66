// The index comparison tab: its table model, summary, toolbar and the verbs behind them.
#include "ComparisonTestSupport.h"

#include "analytics/LocalSettings.h"
#include "services/EntryActions.h"
#include "views/ComparisonSummaryView.h"
#include "views/Tints.h"

#include <QAction>
#include <QMenu>
#include <QSignalSpy>
#include <QSplitter>
#include <QTableView>

namespace {
using Column = TSXYearsTableModel::Column;
using Tints::Role;

QColor tint(Role role) { return Tints::color(role, QGuiApplication::palette()); }
} // namespace

TEST_F(ComparisonTest, EmptyState)
{
    EXPECT_EQ(model().rowCount(), 0);
    EXPECT_FALSE(view().summary()->showsComparison());
    EXPECT_EQ(view().summary()->emptyText(), QStringLiteral("Add yearly data to see the comparison."));
    EXPECT_FALSE(view().editAction()->isEnabled());
    EXPECT_FALSE(view().deleteAction()->isEnabled());
    view().deleteSelected(); // nothing selected: nothing happens
    EXPECT_TRUE(alerts_.isEmpty());
}

// The proposal follows the largest sortOrder and the largest year, whichever rows hold them;
// nothing reaches the store (or the undo history) before the editor saves.
TEST_F(ComparisonTest, AddYearProposesTheNextYearAtTheNextPosition)
{
    view().addYear();
    ASSERT_NE(editor(), nullptr);
    EXPECT_EQ(editor()->year()->year(), 2015);
    EXPECT_EQ(editor()->year()->sortOrder(), 0);
    EXPECT_TRUE(editor()->year()->id().has_value());
    view().overlay()->close();
    view_.reset();

    addYear(0, 2024);
    addYear(3, 2022);
    addYear(1, 2021);
    addYear(2, 2023);
    const std::string stored = storedYears();
    view().addYear();
    ASSERT_NE(editor(), nullptr);
    EXPECT_EQ(editor()->year()->sortOrder(), 4);
    EXPECT_EQ(editor()->year()->year(), 2025);
    EXPECT_EQ(storedYears(), stored);
    EXPECT_EQ(model().rowCount(), 4);
}

// The position is 16 bits wide: past the last one, Add Year says so and changes nothing.
TEST_F(ComparisonTest, AddYearRefusedAfterTheLastPosition)
{
    addYear(32767, 2030);
    undo_.removeAllActions();
    const std::string stored = storedYears();
    view().addYear();
    EXPECT_FALSE(view().overlay()->isOpen());
    ASSERT_EQ(alerts_.size(), 1);
    EXPECT_TRUE(alerts_.front().contains(QStringLiteral("32,767")));
    EXPECT_EQ(storedYears(), stored);
    EXPECT_FALSE(undo_.canUndo());
}

TEST_F(ComparisonTest, TableTextsAndColours)
{
    addYear(0, 2023, -0.05, 100'000, 110'000, 5'000);
    addYear(1, 2024, 0, 0, 0, 0);
    addYear(1, 2025, 0.10, 0, 900, -500); // shares sortOrder 1: simulated after 2024
    const auto labelled = addYear(2, 2026, 0.125, 500, 900, -500);
    labelled->setLabel(QStringLiteral("2026 YTD"));
    settle();

    EXPECT_EQ(model().headerData(Column::YourReturn, Qt::Horizontal).toString(), QStringLiteral("Your Return"));
    EXPECT_EQ(cell(0, Column::Year), QStringLiteral("2023"));
    EXPECT_EQ(cell(3, Column::Year), QStringLiteral("2026 YTD"));
    EXPECT_EQ(cell(0, Column::TsxReturn), QStringLiteral("-5%"));
    EXPECT_EQ(cell(3, Column::TsxReturn), QStringLiteral("12.5%"));
    EXPECT_EQ(model().index(0, Column::TsxReturn).data(Qt::ForegroundRole).value<QColor>(), tint(Role::Red));
    EXPECT_EQ(model().index(1, Column::TsxReturn).data(Qt::ForegroundRole).value<QColor>(), tint(Role::Green));
    EXPECT_EQ(cell(0, Column::ActualStart), QStringLiteral("$100,000"));
    EXPECT_EQ(cell(0, Column::NetCashFlows), QStringLiteral("$5,000"));

    // 100,000 x 0.95 + 5,000 = 100,000; then 100,000 (2024), 110,000 - 500 = 109,500 (2025,
    // shown on both rows of sortOrder 1), 109,500 x 1.125 - 500 = 122,687.5.
    EXPECT_EQ(cell(0, Column::TsxSimulated), QStringLiteral("$100,000"));
    EXPECT_EQ(cell(1, Column::TsxSimulated), QStringLiteral("$109,500"));
    EXPECT_EQ(cell(2, Column::TsxSimulated), QStringLiteral("$109,500"));
    EXPECT_EQ(cell(3, Column::TsxSimulated), QStringLiteral("$122,688"));
    EXPECT_EQ(model().index(3, Column::TsxSimulated).data(Qt::ForegroundRole).value<QColor>(), tint(Role::Secondary));

    // (110,000 - 100,000 - 5,000) / 105,000; a zero divisor shows a dash.
    EXPECT_EQ(cell(0, Column::YourReturn), QStringLiteral("4.8%"));
    EXPECT_EQ(cell(1, Column::YourReturn), QStringLiteral("\u2014"));
    EXPECT_EQ(cell(3, Column::YourReturn), QStringLiteral("\u2014"));
    EXPECT_EQ(model().index(0, Column::YourReturn).data(Qt::ForegroundRole).value<QColor>(), tint(Role::Green));
}

// Rows belong to their objects: inserts, moves and edits keep the selection on its year, and
// an edit is announced in place (no reset); the simulated column follows the chain.
TEST_F(ComparisonTest, RowsFollowTheirYears)
{
    const auto first = addYear(1, 2024, 0.10, 1000);
    const auto second = addYear(2, 2025, 0.10);
    select(1);
    QSignalSpy resets(&model(), &QAbstractItemModel::modelReset);

    addYear(0, 2023); // a row before the selection
    EXPECT_EQ(view().selectedYear(), second);
    TSXYear::Values moved = second->values();
    moved.sortOrder = -1; // the selected row moves to the top
    ASSERT_TRUE(YearActions::update(context(), second, moved).ok());
    settle();
    EXPECT_EQ(model().rowOf(*second), 0);
    EXPECT_EQ(view().selectedYear(), second);

    TSXYear::Values edited = first->values();
    edited.tsxReturn = 0.5;
    ASSERT_TRUE(YearActions::update(context(), first, edited).ok());
    settle();
    EXPECT_EQ(cell(model().rowOf(*first), Column::TsxReturn), QStringLiteral("50%"));
    EXPECT_EQ(resets.count(), 0);
}

// Both the toolbar and the context menu delete the selected row, as one undoable step; undo
// and redo give back the stored rows exactly.
TEST_F(ComparisonTest, DeleteActsOnTheSelectionAndUndoes)
{
    addYear(0, 2023, 0.1, 10);
    addYear(1, 2024, 0.2, 20);
    const std::string before = storedYears();
    const auto target = model().yearAt(0);
    select(0);
    EXPECT_TRUE(view().deleteAction()->isEnabled());

    std::unique_ptr<QMenu> menu(view().buildContextMenu());
    const QList<QAction*> items = menu->actions();
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[0]->text(), QStringLiteral("Edit"));
    items[1]->trigger();
    settle();
    EXPECT_EQ(model().rowCount(), 1);
    EXPECT_EQ(model().rowOf(*target), -1);
    EXPECT_FALSE(view().deleteAction()->isEnabled());
    const std::string after = storedYears();
    EXPECT_NE(after, before);

    undo_.undo();
    ASSERT_TRUE(context().save().ok());
    settle();
    EXPECT_EQ(storedYears(), before);
    EXPECT_EQ(model().rowCount(), 2);
    undo_.redo();
    ASSERT_TRUE(context().save().ok());
    EXPECT_EQ(storedYears(), after);
}

TEST_F(ComparisonTest, FailedDeleteIsReportedAndChangesNothing)
{
    addYear(0, 2023, 0.1, 10);
    const std::string before = storedYears();
    ASSERT_TRUE(refuseYearWrites());
    select(0);
    view().deleteSelected();
    settle();
    ASSERT_EQ(alerts_.size(), 1);
    EXPECT_TRUE(alerts_.front().startsWith(QStringLiteral("Save failed: ")));
    EXPECT_EQ(model().rowCount(), 1);
    EXPECT_EQ(storedYears(), before);
    EXPECT_FALSE(context().hasChanges());
}

// Differences are portfolio minus index: zero is green, a shortfall red; the portfolio side
// follows the entries as they change.
TEST_F(ComparisonTest, SummaryAgainstTheIndex)
{
    addYear(0, 2024, 0.0, 1000, 0, 0);
    view();
    ASSERT_TRUE(EntryActions::add(context(), BalanceEntry::Values{std::nullopt, localTime(2024, 1, 2), 1000, 0, 0, std::nullopt}).ok());
    settle();
    const ComparisonSummaryView& summary = *view().summary();
    ASSERT_TRUE(summary.showsComparison());
    EXPECT_EQ(summary.cell(0, ComparisonSummaryView::Title).text, QStringLiteral("Starting Balance"));
    EXPECT_EQ(summary.cell(2, ComparisonSummaryView::Portfolio).text, QStringLiteral("$1,000"));
    EXPECT_EQ(summary.cell(2, ComparisonSummaryView::Index).text, QStringLiteral("$1,000"));
    EXPECT_EQ(summary.cell(2, ComparisonSummaryView::Difference).text, QStringLiteral("$0"));
    EXPECT_EQ(summary.cell(2, ComparisonSummaryView::Difference).tint, Role::Green);

    ASSERT_TRUE(EntryActions::add(context(), BalanceEntry::Values{std::nullopt, localTime(2024, 6, 2), 900, 0, 0, std::nullopt}).ok());
    settle();
    EXPECT_EQ(summary.cell(2, ComparisonSummaryView::Portfolio).text, QStringLiteral("$900"));
    EXPECT_EQ(summary.cell(2, ComparisonSummaryView::Difference).text, QStringLiteral("-$100"));
    EXPECT_EQ(summary.cell(2, ComparisonSummaryView::Difference).tint, Role::Red);
    EXPECT_EQ(summary.cell(4, ComparisonSummaryView::Difference).text, QStringLiteral("-10%"));
}
