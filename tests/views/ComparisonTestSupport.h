#pragma once

// A comparison tab over a store file of its own, with an undo manager, for the tab and editor
// tests: rows are read back through a separate connection, as whole-row snapshots.
#include "model/ObjectContext.h"
#include "model/PersistentContainer.h"
#include "model/UndoManager.h"
#include "services/YearActions.h"
#include "support/StoreSql.h"
#include "views/ModalOverlay.h"
#include "views/TSXComparisonView.h"
#include "views/TSXYearEditorView.h"
#include "views/TSXYearsTableModel.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QTableView>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

class ComparisonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        path_ = dir_.filePath(QStringLiteral("Corvanta.sqlite"));
        container_ = std::move(PersistentContainer::open(path_).value());
        undo_.setLevelsOfUndo(50);
        context().setUndoManager(&undo_);
    }
    void TearDown() override
    {
        tester_.reset();
        view_.reset();
        context().setUndoManager(nullptr);
    }

    ObjectContext& context() { return container_->viewContext(); }

    // Saved rows, each as one undo step of its own.
    std::shared_ptr<TSXYear> addYear(std::int16_t sortOrder, std::int32_t year, double tsxReturn = 0, double start = 0,
                                     double end = 0, double flows = 0)
    {
        TSXYear::Values values;
        values.sortOrder = sortOrder;
        values.year = year;
        values.tsxReturn = tsxReturn;
        values.actualStart = start;
        values.actualEnd = end;
        values.netCashFlows = flows;
        auto added = YearActions::add(context(), values);
        EXPECT_TRUE(added.ok());
        undo_.closeOpenGroup();
        settle();
        return added.ok() ? added.value() : nullptr;
    }

    // Opens the tab (after the rows it should start with), its model under the model tester.
    TSXComparisonView& view()
    {
        if (!view_) {
            view_ = std::make_unique<TSXComparisonView>(context());
            view_->setAlert([this](QWidget*, const QString& text) { alerts_ << text; });
            view_->resize(1000, 700);
            tester_ = std::make_unique<QAbstractItemModelTester>(view_->model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
        }
        return *view_;
    }
    // Lets the context announce what changed (once per event-loop pass).
    static void settle() { QApplication::processEvents(); }
    TSXYearsTableModel& model() { return *view().model(); }
    TSXYearEditorView* editor() { return qobject_cast<TSXYearEditorView*>(view().overlay()->content()); }
    void select(int row) { view().table()->selectRow(row); }
    QString cell(int row, int column) { return model().index(row, column).data().toString(); }

    // Every stored yearly row (by position, then id) as one text; "?" for none.
    std::string storedYears()
    {
        return queryStore(path_, "SELECT group_concat(r, ';') FROM (SELECT hex(id) || ',' || year || ',' || quote(label) || ',' || "
                                 "tsxReturn || ',' || actualStart || ',' || actualEnd || ',' || netCashFlows || ',' || sortOrder "
                                 "AS r FROM TSXYear ORDER BY sortOrder, hex(id))");
    }
    // Makes every write of yearly rows fail with "disk full" until dropped.
    bool refuseYearWrites()
    {
        return execOnStore(path_, "CREATE TRIGGER refuseInsert BEFORE INSERT ON TSXYear BEGIN SELECT RAISE(ABORT, 'disk full'); END;"
                                  "CREATE TRIGGER refuseUpdate BEFORE UPDATE ON TSXYear BEGIN SELECT RAISE(ABORT, 'disk full'); END;"
                                  "CREATE TRIGGER refuseDelete BEFORE DELETE ON TSXYear BEGIN SELECT RAISE(ABORT, 'disk full'); END;");
    }

    QTemporaryDir dir_;
    QString path_;
    std::unique_ptr<PersistentContainer> container_;
    UndoManager undo_;
    std::unique_ptr<TSXComparisonView> view_;
    std::unique_ptr<QAbstractItemModelTester> tester_;
    QStringList alerts_;
};
