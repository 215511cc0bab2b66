#pragma once

#include "services/CsvActions.h"
#include "csv/ExportFields.h"
#include "model/ObjectContext.h"
#include "model/PersistentContainer.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <memory>
#include <string>

// A fresh in-memory store per test. Calendar expectations are written for Toronto, the zone
// ctest runs the tests in.
class ImportFixture : public testing::Test {
protected:
    void SetUp() override
    {
        auto opened = PersistentContainer::openInMemory();
        ASSERT_TRUE(opened.ok()) << opened.error().message.toStdString();
        container_ = std::move(opened).value();
    }

    ObjectContext& context() { return container_->viewContext(); }

    CsvActions::ImportOutcome import(const std::string& text)
    {
        return CsvActions::importBytes(context(), QByteArray::fromStdString(text));
    }

    // One line per entry, oldest first: UTC instant|balance|adjustment|transfers|note, line
    // breaks in notes written as \n and \r.
    std::string storedEntries()
    {
        std::string lines;
        for (const auto& entry : context().fetchBalanceEntries().value()) {
            std::string note = entry->note() ? "" : "(none)";
            for (const char c : entry->note().value_or(QString()).toStdString())
                note += c == '\n' ? std::string("\\n") : c == '\r' ? std::string("\\r") : std::string(1, c);
            lines += (entry->date() ? utcText(*entry->date()) : "(no date)") + "|" + CSVPorter::numberText(entry->balance()) + "|"
                + CSVPorter::numberText(entry->adjustment()) + "|" + CSVPorter::numberText(entry->transfers()) + "|" + note + "\n";
        }
        return lines;
    }

    static std::string utcText(Instant instant)
    {
        return QDateTime::fromMSecsSinceEpoch(millisecondsOf(instant), Qt::UTC).toString(Qt::ISODate).toStdString();
    }

    std::unique_ptr<PersistentContainer> container_;
};
