// The index comparison tab: its table model, summary, toolbar and the verbs behind them.
#include "ComparisonTestSupport.h"

#include "analytics/LocalSettings.h"
#include "services/EntryActions.h"
#include "views/ComparisonSummaryView.h"

#include <QAction>
#include <QMenu>
#include <QSignalSpy>

namespace {
using Column = TSXYearsTableModel::Column;
using Tints::Role;
using Summary = ComparisonSummaryView;

QColor tint(Role role) { return Tints::color(role, QGuiApplication::palette()); }

bool addEntry(ObjectContext& context, Instant date, double balance)
{
    return EntryActions::add(context, {std::nullopt, date, balance, 0, 0, std::nullopt}).ok();
}
} // namespace

TEST_F(ComparisonTest, EmptyState)
{
    EXPECT_EQ(model().rowCount(), 0);
    EXPECT_FALSE(view().summary()->showsComparison());
    EXPECT_EQ(view().summary()->emptyText(), QStringLiteral("Add yearly data to see the comparison."));
    EXPECT_FALSE(view().editAction()->isEnabled() || view().deleteAction()->isEnabled());
}

// The proposal follows the largest sortOrder and the largest year, whichever rows hold them;
// nothing is stored before the editor saves. Past position 32,767 Add Year says so instead.
TEST_F(ComparisonTest, AddYearNumbering)
{
    view().addYear();
    ASSERT_NE(editor(), nullptr);
    EXPECT_EQ(std::pair(editor()->year()->year(), editor()->year()->sortOrder()), std::pair(2015, std::int16_t(0)));
    EXPECT_TRUE(editor()->year()->id());
    view_.reset();

    for (const auto& [sortOrder, year] : {std::pair{0, 2024}, std::pair{3, 2022}, std::pair{1, 2021}, std::pair{2, 2023}})
        addYear(std::int16_t(sortOrder), year);
    const std::string stored = storedYears();
    view().addYear();
    EXPECT_EQ(std::pair(editor()->year()->year(), editor()->year()->sortOrder()), std::pair(2025, std::int16_t(4)));
    EXPECT_EQ(storedYears(), stored);
    EXPECT_EQ(model().rowCount(), 4);
    view_.reset();

    addYear(32767, 2030);
    view().addYear();
    EXPECT_FALSE(view().overlay()->isOpen());
    ASSERT_EQ(alerts_.size(), 1);
    EXPECT_TRUE(alerts_.front().contains(QStringLiteral("32,767")));
}

TEST_F(ComparisonTest, TableTextsAndColours)
{
    addYear(0, 2023, -0.05, 100'000, 110'000, 5'000);
    addYear(1, 2024, 0, 0, 0, 0);
    addYear(1, 2025, 0.10, 0, 900, -500); // shares sortOrder 1 and comes later: both rows show it
    const auto labelled = addYear(2, 2026, 0.125, 500, 900, -500);
    labelled->setLabel(QStringLiteral("2026 YTD"));
    settle();

    // Simulated: 100,000 x 0.95 + 5,000; x 1 + 0; x 1.10 - 500; x 1.125 - 500 = 122,687.5.
    // Your Return: (110,000 - 100,000 - 5,000) / 105,000; a zero divisor shows a dash.
    const char* const rows[][Column::ColumnCount] = {
        {"2023", "-5%", "$5,000", "$100,000", "$110,000", "$100,000", "4.8%"},
        {"2024", "0%", "$0", "$0", "$0", "$109,500", "\u2014"},
        {"2025", "10%", "-$500", "$0", "$900", "$109,500", "-280%"},
        {"2026 YTD", "12.5%", "-$500", "$500", "$900", "$122,688", "\u2014"},
    };
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < Column::ColumnCount; ++column)
            EXPECT_EQ(cell(row, column).toStdString(), rows[row][column]) << row << ',' << column;
    const auto colour = [this](int row, Column column) { return model().index(row, column).data(Qt::ForegroundRole).value<QColor>(); };
    EXPECT_EQ(colour(0, Column::TsxReturn), tint(Role::Red));
    EXPECT_EQ(colour(1, Column::TsxReturn), tint(Role::Green));
    EXPECT_EQ(colour(0, Column::TsxSimulated), tint(Role::Secondary));
    EXPECT_EQ(colour(2, Column::YourReturn), tint(Role::Red));
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

// The context menu's Delete, like the toolbar's, deletes the selected row as one undo step.
TEST_F(ComparisonTest, DeleteActsOnTheSelection)
{
    addYear(0, 2023, 0.1, 10);
    addYear(1, 2024, 0.2, 20);
    const std::string before = storedYears();
    const auto target = model().yearAt(0);
    view().table()->selectRow(0);
    std::unique_ptr<QMenu> menu(view().buildContextMenu());
    ASSERT_EQ(menu->actions().size(), 2);
    EXPECT_EQ(menu->actions()[0]->text(), QStringLiteral("Edit"));
    menu->actions()[1]->trigger();
    settle();
    EXPECT_EQ(model().rowOf(*target), -1);
    EXPECT_EQ(model().rowCount(), 1);
    EXPECT_FALSE(view().deleteAction()->isEnabled());
    expectUndoAndRedo(before, storedYears());
}

// Differences are portfolio minus index: zero is green, a shortfall red; the portfolio side
// follows the entries.
TEST_F(ComparisonTest, SummaryAgainstTheIndex)
{
    addYear(0, 2024, 0.0, 1000);
    ASSERT_TRUE(addEntry(context(), localTime(2024, 1, 2), 1000));
    const Summary& summary = *view().summary();
    ASSERT_TRUE(summary.showsComparison());
    EXPECT_EQ(summary.cell(2, Summary::Title).text, QStringLiteral("Current Value"));
    EXPECT_EQ(summary.cell(2, Summary::Difference).text, QStringLiteral("$0"));
    EXPECT_EQ(summary.cell(2, Summary::Difference).tint, Role::Green);

    ASSERT_TRUE(addEntry(context(), localTime(2024, 6, 2), 900));
    settle();
    EXPECT_EQ(summary.cell(2, Summary::Portfolio).text, QStringLiteral("$900"));
    EXPECT_EQ(summary.cell(2, Summary::Difference).text, QStringLiteral("-$100"));
    EXPECT_EQ(summary.cell(2, Summary::Difference).tint, Role::Red);
    EXPECT_EQ(summary.cell(4, Summary::Difference).text, QStringLiteral("-10%"));
}
