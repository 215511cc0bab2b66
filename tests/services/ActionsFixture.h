#pragma once

#include "model/ObjectContext.h"
#include "model/PersistentContainer.h"
#include "model/UndoManager.h"
#include "support/StoreSql.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <memory>
#include <string>

// A store file with the main context and an undo manager, as the application has them, and
// whole-row snapshots of what the context shows and what the store holds.
class ActionsFixture : public testing::Test {
protected:
    ActionsFixture() { context().setUndoManager(&undo_); }

    ObjectContext& context() { return container_->viewContext(); }

    // Every row of both entities, one line each, in fetch order.
    static std::string rows(ObjectContext& context)
    {
        std::string text;
        for (const auto& e : context.fetchBalanceEntries().value())
            text += (e->id() ? e->id()->toString() : "-") + "|" + (e->date() ? std::to_string(millisecondsOf(*e->date())) : "-") + "|"
                + std::to_string(e->balance()) + "|" + std::to_string(e->adjustment()) + "|" + std::to_string(e->transfers()) + "|"
                + (e->note() ? e->note()->toStdString() : "-") + "\n";
        for (const auto& y : context.fetchTSXYears().value())
            text += "year " + (y->id() ? y->id()->toString() : "-") + "|" + std::to_string(y->year()) + "|"
                + (y->label() ? y->label()->toStdString() : "-") + "|" + std::to_string(y->tsxReturn()) + "|"
                + std::to_string(y->actualStart()) + "|" + std::to_string(y->actualEnd()) + "|" + std::to_string(y->netCashFlows()) + "|"
                + std::to_string(y->sortOrder()) + "\n";
        return text;
    }
    std::string shown() { return rows(context()); }
    // What is committed, read through a connection of its own.
    std::string stored()
    {
        std::string text;
        container_->newBackgroundContext()->performAndWait([&](ObjectContext& background) { text = rows(background); });
        return text;
    }

    // Every write to the entry and year tables fails (until refuseWrites(false)).
    bool refuseWrites(bool refuse = true)
    {
        std::string sql;
        for (const char* table : {"BalanceEntry", "TSXYear"})
            for (const char* operation : {"INSERT", "UPDATE", "DELETE"})
                sql += refuse ? std::string("CREATE TRIGGER refuse") + operation + table + " BEFORE " + operation + " ON " + table
                        + " BEGIN SELECT RAISE(ABORT, 'disk full'); END;"
                              : std::string("DROP TRIGGER refuse") + operation + table + ";";
        return execOnStore(path_, sql.c_str());
    }

    QTemporaryDir folder_;
    QString path_ = folder_.filePath(QStringLiteral("Corvanta.sqlite"));
    UndoManager undo_; // outlives the context that points to it, and derived fixtures' views go first
    std::unique_ptr<PersistentContainer> container_ = PersistentContainer::open(path_).value(); // throws: the test fails
};

// Readable failure messages for JSON comparisons.
inline void PrintTo(const QJsonObject& object, std::ostream* out) { *out << QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString(); }
inline void PrintTo(const QJsonArray& array, std::ostream* out) { *out << QJsonDocument(array).toJson(QJsonDocument::Compact).toStdString(); }
