#pragma once

// The comparison tab over a store file of its own with an undo manager; stored rows are read
// back through a separate connection as whole-row snapshots.
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

class ComparisonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        path_ = dir_.filePath(QStringLiteral("Corvanta.sqlite"));
        container_ = std::move(PersistentContainer::open(path_).value());
        context().setUndoManager(&undo_);
    }
    void TearDown() override
    {
        tester_.reset();
        view_.reset();
        context().setUndoManager(nullptr);
    }
    ObjectContext& context() { return container_->viewContext(); }
    // Lets the context announce its changes (once per event-loop pass).
    static void settle() { QApplication::processEvents(); }

    // A saved row, one undo step.
    std::shared_ptr<TSXYear> addYear(std::int16_t sortOrder, std::int32_t year, double tsxReturn = 0, double start = 0, double end = 0,
                                     double flows = 0)
    {
        auto added = YearActions::add(context(), {std::nullopt, year, std::nullopt, tsxReturn, start, end, flows, sortOrder});
        undo_.closeOpenGroup();
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
    QString cell(int row, int column) { return model().index(row, column).data().toString(); }

    // Every stored row (by position, then id) as one text; "?" for none.
    std::string storedYears()
    {
        return queryStore(path_, "SELECT group_concat(r, ';') FROM (SELECT hex(id) || ',' || year || ',' || quote(label) || ',' || "
                                 "tsxReturn || ',' || actualStart || ',' || actualEnd || ',' || netCashFlows || ',' || sortOrder "
                                 "AS r FROM TSXYear ORDER BY sortOrder, hex(id))");
    }
    // Undo gives back the rows stored before the last step, redo those after it.
    void expectUndoAndRedo(const std::string& before, const std::string& after)
    {
        for (const auto& [step, expected] : {std::pair{&UndoManager::undo, before}, std::pair{&UndoManager::redo, after}}) {
            (undo_.*step)();
            ASSERT_TRUE(context().save().ok());
            settle();
            EXPECT_EQ(storedYears(), expected);
        }
    }
    bool refuseYearWrites()
    {
        std::string sql;
        for (const char* change : {"INSERT", "UPDATE", "DELETE"})
            sql += std::string("CREATE TRIGGER refuse") + change + " BEFORE " + change + " ON TSXYear BEGIN SELECT RAISE(ABORT, 'disk full'); END;";
        return execOnStore(path_, sql.c_str());
    }

    QTemporaryDir dir_;
    QString path_;
    std::unique_ptr<PersistentContainer> container_;
    UndoManager undo_;
    std::unique_ptr<TSXComparisonView> view_;
    std::unique_ptr<QAbstractItemModelTester> tester_;
    QStringList alerts_;
};
