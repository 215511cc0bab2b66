// First-run import: what the shipped formats accept and reject, and when the import runs.
#include "model/ObjectContext.h"
#include "model/PersistentContainer.h"
#include "model/SeedImporter.h"
#include "support/StoreSql.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gmock/gmock.h>

#include <cstdlib>
#include <ctime>

using ::testing::ElementsAre;
using ::testing::SizeIs;
using ::testing::StartsWith;
using ::testing::IsEmpty;

namespace {

const QString flagKey = QStringLiteral("didSeedInitialData_v1");
const QString validDirectory = QStringLiteral(CORVANTA_TEST_DATA "/seed/valid");

QStringList* capturedLog = nullptr;

void captureSeedLog(QtMsgType, const QMessageLogContext& context, const QString& message)
{
    if (capturedLog && QLatin1String(context.category) == QLatin1String("corvanta.seed"))
        capturedLog->append(message);
}

class SeedImporterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        restart();
        capturedLog = &log_;
        previousHandler_ = qInstallMessageHandler(captureSeedLog);
    }
    // A first run again: no flag, an empty store, nothing logged.
    void restart()
    {
        QSettings().remove(flagKey);
        container_ = std::move(PersistentContainer::openInMemory().value());
        log_.clear();
    }
    void TearDown() override
    {
        qInstallMessageHandler(previousHandler_);
        capturedLog = nullptr;
    }

    ObjectContext& context() { return container_->viewContext(); }
    std::vector<std::shared_ptr<BalanceEntry>> entries() { return context().fetchBalanceEntries().value(); }
    std::vector<std::shared_ptr<TSXYear>> years() { return context().fetchTSXYears().value(); }
    static bool flagSet() { return QSettings().value(flagKey, false).toBool(); }

    // A folder holding the two files, each from `valid` unless given here.
    QString folderWith(const QString& corvantaJson, const QString& tsxJson)
    {
        const auto write = [this](const QString& name, const QString& contents, const QString& validCopy) {
            const QString path = QDir(scratch_.path()).filePath(name);
            QFile::remove(path); // a copy does not replace a file
            if (contents.isNull())
                QFile::copy(validCopy, path);
            else {
                QFile file(path);
                file.open(QIODevice::WriteOnly);
                file.write(contents.toUtf8());
            }
        };
        write(QStringLiteral("corvanta_seed.json"), corvantaJson, validDirectory + QStringLiteral("/corvanta_seed.json"));
        write(QStringLiteral("tsx_seed.json"), tsxJson, validDirectory + QStringLiteral("/tsx_seed.json"));
        return scratch_.path();
    }

    std::unique_ptr<PersistentContainer> container_;
    QStringList log_;
    QTemporaryDir scratch_;
    QtMessageHandler previousHandler_ = nullptr;
};

long long utcMidnight(int year, unsigned month, unsigned day)
{
    using namespace std::chrono;
    return sys_days{year_month_day{std::chrono::year{year}, std::chrono::month{month}, std::chrono::day{day}}}
               .time_since_epoch()
               / milliseconds{1};
}

TEST_F(SeedImporterTest, ImportsEveryReadableElementInOneSaveAndSetsTheFlag)
{
    // Dates are UTC midnights whatever the machine's zone: run east of UTC.
    setenv("TZ", "Asia/Tokyo", 1);
    tzset();
    QSignalSpy saves(&context(), &ObjectContext::didSave);
    SeedImporter::seedIfNeeded(context(), {validDirectory});

    const auto stored = entries();
    ASSERT_EQ(stored.size(), 3u); // 2024-13-01 and 31/01/2024 are skipped silently
    EXPECT_EQ(millisecondsOf(*stored[0]->date()), utcMidnight(2024, 1, 31));
    EXPECT_EQ(stored[0]->transfers(), 250.5);
    EXPECT_EQ(stored[0]->note(), QStringLiteral("Opening"));
    EXPECT_EQ(stored[1]->balance(), 101500.25);
    EXPECT_EQ(stored[1]->transfers(), 0); // null
    EXPECT_EQ(stored[1]->note(), std::nullopt);
    EXPECT_EQ(millisecondsOf(*stored[1]->date()), utcMidnight(2024, 2, 29));
    EXPECT_EQ(stored[2]->adjustment(), -2500.75);
    EXPECT_EQ(stored[2]->transfers(), 0); // absent
    EXPECT_EQ(stored[2]->note(), QString()); // an empty note stays a note
    for (const auto& entry : stored)
        EXPECT_TRUE(entry->id().has_value());

    const auto rows = years();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0]->sortOrder(), -32768);
    EXPECT_EQ(rows[0]->year(), 0);
    EXPECT_EQ(rows[1]->displayName(), QStringLiteral("2025 YTD"));
    EXPECT_EQ(rows[1]->year(), 0);
    EXPECT_EQ(rows[2]->year(), 2024);
    EXPECT_EQ(rows[2]->tsxReturn(), 0.215);
    EXPECT_EQ(rows[2]->actualEnd(), 121000);

    EXPECT_EQ(saves.count(), 1);
    EXPECT_FALSE(context().hasChanges());
    EXPECT_TRUE(flagSet());
    EXPECT_THAT(log_, IsEmpty());
}

TEST_F(SeedImporterTest, RunsOncePerInstallationEvenAfterTheEntriesAreGone)
{
    SeedImporter::seedIfNeeded(context(), {validDirectory});
    for (const auto& entry : entries())
        context().remove(entry);
    ASSERT_TRUE(context().save().ok());

    SeedImporter::seedIfNeeded(context(), {validDirectory});
    EXPECT_THAT(entries(), IsEmpty());
    EXPECT_EQ(years().size(), 3u);
}

TEST_F(SeedImporterTest, ExistingEntriesPreventTheImportAndSetTheFlag)
{
    BalanceEntry::create(context())->setBalance(5);
    ASSERT_TRUE(context().save().ok());

    SeedImporter::seedIfNeeded(context(), {validDirectory});
    EXPECT_EQ(entries().size(), 1u);
    EXPECT_THAT(years(), IsEmpty());
    EXPECT_TRUE(flagSet());
}

TEST_F(SeedImporterTest, MissingFilesAreLoggedAndNeverRetried)
{
    QTemporaryDir empty;
    SeedImporter::seedIfNeeded(context(), {empty.path()});
    EXPECT_THAT(log_, ElementsAre(QStringLiteral("corvanta_seed.json missing or invalid"),
                                  QStringLiteral("tsx_seed.json missing or invalid")));
    EXPECT_THAT(entries(), IsEmpty());
    EXPECT_TRUE(flagSet());

    SeedImporter::seedIfNeeded(context(), {validDirectory});
    EXPECT_THAT(entries(), IsEmpty());
}

TEST_F(SeedImporterTest, EmptyArraysAreValid)
{
    SeedImporter::seedIfNeeded(context(), {folderWith(QStringLiteral("[]"), QStringLiteral(" [ ] "))});
    EXPECT_THAT(entries(), IsEmpty());
    EXPECT_THAT(years(), IsEmpty());
    EXPECT_THAT(log_, IsEmpty());
    EXPECT_TRUE(flagSet());
}

TEST_F(SeedImporterTest, AFailedSaveIsLoggedAndLeavesTheImportPending)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("Corvanta.sqlite"));
    container_ = std::move(PersistentContainer::open(path).value());
    ASSERT_TRUE(refuseNewEntries(path));

    SeedImporter::seedIfNeeded(context(), {validDirectory});
    ASSERT_THAT(log_, SizeIs(1));
    EXPECT_THAT(log_[0].toStdString(), StartsWith("Seed save failed: "));
    EXPECT_GT(log_[0].size(), QStringLiteral("Seed save failed: ").size());
    EXPECT_TRUE(context().hasChanges());
    EXPECT_EQ(entries().size(), 3u);
    EXPECT_TRUE(flagSet());
}

// One bad element, or a bad shape, rejects its whole file; the other file still imports.
TEST_F(SeedImporterTest, AnInvalidFileIsRejectedWholeAndAloneEitherWay)
{
    const QString good = QStringLiteral(R"({"date": "2024-01-31", "balance": 1, "adjustment": 0})");
    const char* invalidEntries[] = {
        R"({"entries": [GOOD]})", "[GOOD,", "[GOOD, 5]",
        R"([GOOD, {"date": "2024-02-01", "balance": "100", "adjustment": 0}])",
        R"([GOOD, {"date": "2024-02-01", "balance": null, "adjustment": 0}])",
        R"([GOOD, {"date": "2024-02-01", "balance": 1}])",
        R"([{"Date": "2024-02-01", "balance": 1, "adjustment": 0}])",
        R"([{"date": 20240201, "balance": 1, "adjustment": 0}])",
        R"([{"date": "2024-02-01", "balance": 1, "adjustment": 0, "transfers": "5"}])",
        R"([{"date": "2024-02-01", "balance": 1, "adjustment": 0, "note": 7}])",
    };
    for (const char* json : invalidEntries) {
        SCOPED_TRACE(json);
        restart();
        SeedImporter::seedIfNeeded(context(), {folderWith(QString::fromUtf8(json).replace(QStringLiteral("GOOD"), good), QString())});
        EXPECT_THAT(log_, ElementsAre(QStringLiteral("corvanta_seed.json missing or invalid")));
        EXPECT_THAT(entries(), IsEmpty());
        EXPECT_EQ(years().size(), 3u);
        EXPECT_TRUE(flagSet());
    }

    const QString row = QStringLiteral(R"("tsxReturn": 0.1, "netCashFlows": 0, "actualStart": 1, "actualEnd": 2)");
    const char* invalidYears[] = {
        R"([{"sortOrder": 1.5, ROW}])", R"([{"year": 2024, ROW}])", R"([{"sortOrder": "1", ROW}])",
        R"([{"sortOrder": 32768, ROW}])", R"([{"sortOrder": -32769, ROW}])", // beyond 16 bits
        R"([{"sortOrder": 1, "year": 2147483648, ROW}])", R"([{"sortOrder": 1, "year": 2024.5, ROW}])",
        R"([{"sortOrder": 1, "label": 2024, ROW}])",
        R"([{"sortOrder": 1, "netCashFlows": 0, "actualStart": 1, "actualEnd": 2}])",
    };
    for (const char* json : invalidYears) {
        SCOPED_TRACE(json);
        restart();
        SeedImporter::seedIfNeeded(context(), {folderWith(QString(), QString::fromUtf8(json).replace(QStringLiteral("ROW"), row))});
        EXPECT_THAT(log_, ElementsAre(QStringLiteral("tsx_seed.json missing or invalid")));
        EXPECT_THAT(years(), IsEmpty());
        EXPECT_EQ(entries().size(), 3u);
    }
}

} // namespace
