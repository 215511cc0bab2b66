// The yearly editor as the comparison tab opens it: load, save, cancel, fill from entries.
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
// history exactly as they were (the step recorded before stays undoable).
TEST_F(ComparisonTest, CancelOfANewYearLeavesNoTrace)
{
    addYear(0, 2015, 0.1, 100);
    const std::string before = storedYears();
    view().addYear();
    TSXYearEditorView* open = editor();
    ASSERT_NE(open, nullptr);
    open->load();
    EXPECT_EQ(open->title(), QStringLiteral("Add Year"));
    EXPECT_EQ(text(open, Field::Year), QStringLiteral("2016"));
    for (const Field empty : {Field::Label, Field::TsxReturn, Field::NetCashFlows, Field::ActualStart, Field::ActualEnd})
        EXPECT_TRUE(text(open, empty).isEmpty());
    type(open, Field::TsxReturn, "0.3");
    open->cancel();
    settle();
    EXPECT_FALSE(view().overlay()->isOpen());
    EXPECT_EQ(storedYears(), before);
    EXPECT_EQ(model().rowCount(), 1);
    EXPECT_FALSE(context().hasChanges());
    ASSERT_TRUE(undo_.canUndo());
    undo_.undo(); // the earlier Add is still the last step
    ASSERT_TRUE(context().save().ok());
    EXPECT_EQ(storedYears(), "?");
}

// What is typed is read strictly (see the field-text tests for the full table); the label is
// kept as typed, an empty one is none. Reopening shows the stored values in shortest form.
TEST_F(ComparisonTest, SaveWritesTheFieldsAndReopensThemShortest)
{
    const auto year = addYear(0, 2015, 0.215, 1000);
    select(0);
    view().editSelected();
    ASSERT_NE(editor(), nullptr);
    editor()->load();
    EXPECT_EQ(editor()->title(), QStringLiteral("Edit Year"));
    EXPECT_EQ(text(editor(), Field::TsxReturn), QStringLiteral("0.215"));
    EXPECT_EQ(text(editor(), Field::ActualStart), QStringLiteral("1000.0"));
    EXPECT_TRUE(text(editor(), Field::ActualEnd).isEmpty());

    type(editor(), Field::Year, " 2024 ");
    type(editor(), Field::Label, " ");
    type(editor(), Field::TsxReturn, "21.5%");
    type(editor(), Field::NetCashFlows, "1e-2");
    type(editor(), Field::ActualStart, "-0.05");
    type(editor(), Field::ActualEnd, "12");
    editor()->save();
    settle();
    EXPECT_FALSE(view().overlay()->isOpen());
    EXPECT_EQ(year->year(), 2024);
    EXPECT_EQ(year->label(), QStringLiteral(" "));
    EXPECT_EQ(year->tsxReturn(), 0);
    EXPECT_EQ(year->netCashFlows(), 0.01);
    EXPECT_EQ(year->actualStart(), -0.05);
    EXPECT_EQ(cell(0, TSXYearsTableModel::Year), QStringLiteral(" "));
    EXPECT_FALSE(context().hasChanges());

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
    EXPECT_EQ(year->label(), std::nullopt);
    EXPECT_EQ(year->year(), 0);
}

// A save of the editor (here of a new year) is one undo step; undo and redo give back the
// stored rows exactly.
TEST_F(ComparisonTest, EditorSaveIsOneUndoStep)
{
    addYear(0, 2015, 0.1, 100);
    const std::string before = storedYears();
    view().addYear();
    editor()->load();
    type(editor(), Field::TsxReturn, "0.2");
    type(editor(), Field::ActualEnd, "150");
    editor()->save();
    undo_.closeOpenGroup();
    settle();
    const std::string after = storedYears();
    EXPECT_NE(after, before);
    EXPECT_EQ(model().rowCount(), 2);

    undo_.undo();
    ASSERT_TRUE(context().save().ok());
    settle();
    EXPECT_EQ(storedYears(), before);
    EXPECT_EQ(model().rowCount(), 1);
    undo_.redo();
    ASSERT_TRUE(context().save().ok());
    settle();
    EXPECT_EQ(storedYears(), after);
    EXPECT_EQ(model().rowCount(), 2);
}

// A refused save says why and keeps the editor open with the texts as typed; nothing is left
// pending and no undo step is recorded.
TEST_F(ComparisonTest, FailedSaveKeepsTheEditorOpen)
{
    const auto year = addYear(0, 2015, 0.1, 100);
    undo_.removeAllActions();
    const std::string before = storedYears();
    ASSERT_TRUE(refuseYearWrites());
    for (const bool isNew : {false, true}) {
        if (isNew)
            view().addYear();
        else
            view().edit(year);
        editor()->load();
        type(editor(), Field::ActualEnd, "777");
        editor()->save();
        settle();
        ASSERT_TRUE(view().overlay()->isOpen()) << isNew;
        EXPECT_TRUE(editor()->message().startsWith(QStringLiteral("Save failed: "))) << isNew;
        EXPECT_EQ(text(editor(), Field::ActualEnd), QStringLiteral("777"));
        EXPECT_EQ(storedYears(), before);
        EXPECT_EQ(model().rowCount(), 1);
        EXPECT_FALSE(context().hasChanges());
        EXPECT_FALSE(undo_.canUndo());
        editor()->cancel();
    }
    EXPECT_EQ(year->actualEnd(), 0);
}

// Fill from Entries writes the typed year's figures into the fields only; a year without
// entries says so and changes nothing.
TEST_F(ComparisonTest, FillFromEntries)
{
    for (const auto& [date, balance, flow] : {std::tuple{localTime(2023, 12, 31), 100.0, 0.0}, std::tuple{localTime(2024, 3, 1), 150.0, 40.0},
                                             std::tuple{localTime(2024, 12, 31, 20), 180.0, -10.0}})
        ASSERT_TRUE(EntryActions::add(context(), BalanceEntry::Values{std::nullopt, date, balance, flow, 0, std::nullopt}).ok());
    settle();
    const std::string before = storedYears();
    view().addYear();
    editor()->load();
    type(editor(), Field::Year, "2024");
    editor()->fillFromEntries();
    EXPECT_EQ(text(editor(), Field::ActualStart), QStringLiteral("100.0"));
    EXPECT_EQ(text(editor(), Field::ActualEnd), QStringLiteral("180.0"));
    EXPECT_EQ(text(editor(), Field::NetCashFlows), QStringLiteral("30.0"));
    EXPECT_TRUE(editor()->message().isEmpty());
    EXPECT_EQ(storedYears(), before);

    type(editor(), Field::Year, "2025");
    editor()->fillFromEntries();
    EXPECT_EQ(editor()->message(), QStringLiteral("There are no entries dated in 2025."));
    EXPECT_EQ(text(editor(), Field::ActualEnd), QStringLiteral("180.0"));
}
