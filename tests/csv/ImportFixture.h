#pragma once

#include "services/CsvActions.h"
#include "csv/ExportFields.h"
#include "model/ObjectContext.h"
#include "model/PersistentContainer.h"

#include <unicode/timezone.h>

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>

// Calendar expectations are written for Toronto, as ctest runs the tests; pinned here too so
// that running a test program by hand gives the same days.
inline const bool torontoPinned = [] {
    setenv("TZ", "America/Toronto", 1);
    tzset();
    icu::TimeZone::adoptDefault(icu::TimeZone::createTimeZone("America/Toronto"));
    return true;
}();

// A fresh in-memory store per test.
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

    // One line per entry, oldest first: UTC instant|balance|adjustment|transfers|note.
    std::string storedEntries()
    {
        std::string lines;
        for (const auto& entry : context().fetchBalanceEntries().value())
            lines += describe(*entry) + "\n";
        return lines;
    }

    static std::string utcText(Instant instant)
    {
        return QDateTime::fromMSecsSinceEpoch(millisecondsOf(instant), Qt::UTC).toString(Qt::ISODate).toStdString();
    }

    static std::string describe(const BalanceEntry& entry)
    {
        std::string note = "(none)";
        if (entry.note()) {
            note.clear();
            for (const char c : entry.note()->toStdString())
                note += c == '\n' ? std::string("\\n") : c == '\r' ? std::string("\\r") : std::string(1, c);
        }
        return (entry.date() ? utcText(*entry.date()) : "(no date)") + "|" + CSVPorter::numberText(entry.balance()) + "|" + CSVPorter::numberText(entry.adjustment()) + "|"
            + CSVPorter::numberText(entry.transfers()) + "|" + note;
    }

    std::unique_ptr<PersistentContainer> container_;
};
