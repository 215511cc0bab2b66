// The yearly editor as the comparison tab opens it: load, save, cancel, fill from entries,
// and what a refused save does to the editor and to Delete.
#include "ComparisonTestSupport.h"

#include "analytics/LocalSettings.h"
#include "services/EntryActions.h"

#include <QLineEdit>

namespace {
using Field = TSXYearEditorView::Field;

QString text(TSXYearEditorView* editor, Field field) { return editor->field(field)->text(); }
void type(TSXYearEditorView* editor, Field field, const char* text) { editor->field(field)->setText(QString::fromUtf8(text)); }
} // namespace

// A new year is proposed, not inserted: Cancel leaves the store, the table and the undo
// history as they were (the step recorded before stays the one Undo takes back).
TEST_F(ComparisonTest, CancelOfANewYearLeavesNoTrace)
{
    addYear(0, 2015, 0.1, 100);
    const std::string before = storedYears();
    view().addYear();
    editor()->load();
    EXPECT_EQ(editor()->title(), QStringLiteral("Add Year"));
    EXPECT_EQ(text(editor(), Field::Year), QStringLiteral("2016"));
    for (const Field field : {Field::Label, Field::TsxReturn, Field::NetCashFlows, Field::ActualStart, Field::ActualEnd})
        EXPECT_TRUE(text(editor(), field).isEmpty());
    type(editor(), Field::TsxReturn, "0.3");
    editor()->cancel();
    settle();
    EXPECT_FALSE(view().overlay()->isOpen());
    EXPECT_EQ(storedYears(), before);
    EXPECT_EQ(model().rowCount(), 1);
    EXPECT_FALSE(context().hasChanges());
    expectUndoAndRedo("?", before);
}

// Texts are read strictly (the field-text tests hold the whole table); the label is kept as
// typed, an empty one is none. Reopening shows the stored values in shortest form. A save is
// one undo step.
TEST_F(ComparisonTest, SaveWritesTheFieldsAndReopensThemShortest)
{
    const auto year = addYear(0, 2015, 0.215, 1000);
    const std::string before = storedYears();
    view().table()->selectRow(0);
    view().editSelected();
    editor()->load();
    EXPECT_EQ(editor()->title(), QStringLiteral("Edit Year"));
    EXPECT_EQ(text(editor(), Field::TsxReturn), QStringLiteral("0.215"));
    EXPECT_EQ(text(editor(), Field::ActualStart), QStringLiteral("1000.0"));
    EXPECT_TRUE(text(editor(), Field::ActualEnd).isEmpty());
    for (const auto& [field, typed] : {std::pair{Field::Year, " 2024 "}, std::pair{Field::Label, " "}, std::pair{Field::TsxReturn, "21.5%"},
                                       std::pair{Field::NetCashFlows, "1e-2"}, std::pair{Field::ActualStart, "-0.05"},
                                       std::pair{Field::ActualEnd, "12"}})
        type(editor(), field, typed);
    editor()->save();
    settle();
    EXPECT_FALSE(view().overlay()->isOpen());
    const TSXYear::Values stored = year->values();
    EXPECT_EQ(std::tuple(stored.year, stored.label, stored.tsxReturn, stored.netCashFlows, stored.actualStart, stored.actualEnd),
              std::tuple(2024, std::optional(QStringLiteral(" ")), 0.0, 0.01, -0.05, 12.0));
    EXPECT_EQ(cell(0, TSXYearsTableModel::Year), QStringLiteral(" "));
    undo_.closeOpenGroup();
    expectUndoAndRedo(before, storedYears());

    view().edit(year);
    editor()->load();
    EXPECT_EQ(text(editor(), Field::Year), QStringLiteral("2024"));
    EXPECT_EQ(text(editor(), Field::Label), QStringLiteral(" "));
    EXPECT_TRUE(text(editor(), Field::TsxReturn).isEmpty());
    EXPECT_EQ(text(editor(), Field::NetCashFlows), QStringLiteral("0.01"));
    EXPECT_EQ(text(editor(), Field::ActualEnd), QStringLiteral("12.0"));
    type(editor(), Field::Label, "");
    type(editor(), Field::Year, "20 24");
    editor()->save();
    EXPECT_EQ(std::pair(year->label(), year->year()), std::pair(std::optional<QString>(), 0));
}

// A refused save says why: the editor (for a new or an existing year) stays open with the
// texts as typed, Delete shows an alert; nothing is left pending and no undo step recorded.
TEST_F(ComparisonTest, RefusedSavesAreReportedAndChangeNothing)
{
    const auto year = addYear(0, 2015, 0.1, 100);
    undo_.removeAllActions();
    const std::string before = storedYears();
    ASSERT_TRUE(refuseYearWrites());
    for (const bool isNew : {false, true}) {
        isNew ? view().addYear() : view().edit(year);
        editor()->load();
        type(editor(), Field::ActualEnd, "777");
        editor()->save();
        settle();
        ASSERT_TRUE(view().overlay()->isOpen()) << isNew;
        EXPECT_TRUE(editor()->message().startsWith(QStringLiteral("Save failed: "))) << isNew;
        EXPECT_EQ(text(editor(), Field::ActualEnd), QStringLiteral("777"));
        editor()->cancel();
    }
    view().table()->selectRow(0);
    view().deleteSelected();
    settle();
    ASSERT_EQ(alerts_.size(), 1);
    EXPECT_TRUE(alerts_.front().startsWith(QStringLiteral("Save failed: ")));
    EXPECT_EQ(model().rowCount(), 1);
    EXPECT_EQ(year->actualEnd(), 0);
    EXPECT_EQ(storedYears(), before);
    EXPECT_FALSE(context().hasChanges());
    EXPECT_FALSE(undo_.canUndo());
}

// Fill from Entries writes the typed year's figures into the fields only; a year without
// entries says so and changes nothing.
TEST_F(ComparisonTest, FillFromEntries)
{
    for (const auto& [date, balance, flow] : {std::tuple{localTime(2023, 12, 31), 100.0, 0.0}, std::tuple{localTime(2024, 3, 1), 150.0, 40.0},
                                             std::tuple{localTime(2024, 12, 31, 20), 180.0, -10.0}})
        ASSERT_TRUE(EntryActions::add(context(), {std::nullopt, date, balance, flow, 0, std::nullopt}).ok());
    view().addYear();
    editor()->load();
    type(editor(), Field::Year, "2024");
    editor()->fillFromEntries();
    EXPECT_EQ(QStringList({text(editor(), Field::ActualStart), text(editor(), Field::ActualEnd), text(editor(), Field::NetCashFlows)}),
              QStringList({QStringLiteral("100.0"), QStringLiteral("180.0"), QStringLiteral("30.0")}));
    EXPECT_TRUE(editor()->message().isEmpty());
    EXPECT_EQ(storedYears(), "?");

    type(editor(), Field::Year, "2025");
    editor()->fillFromEntries();
    EXPECT_EQ(editor()->message(), QStringLiteral("There are no entries dated in 2025."));
    EXPECT_EQ(text(editor(), Field::ActualEnd), QStringLiteral("180.0"));
}
