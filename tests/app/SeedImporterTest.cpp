// First-run import: what the shipped formats accept and reject, and when the import runs.
#include "model/ObjectContext.h"
#include "model/PersistentContainer.h"
#include "model/SeedImporter.h"
#include "support/StoreSql.h"

#include <QDateTime>
#include <QDir>
#include <QTimeZone>
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

QString number(double value) { return QString::number(value, 'f', QLocale::FloatingPointShortest); }
QString quoted(const std::optional<QString>& text) { return text ? u'\'' + *text + u'\'' : QStringLiteral("null"); }

// Every stored entry (dates in UTC) and year, in fetch order, as one text each.
std::string entryRows(const std::vector<std::shared_ptr<BalanceEntry>>& entries)
{
    QStringList rows;
    for (const auto& e : entries)
        rows << QDateTime::fromMSecsSinceEpoch(millisecondsOf(*e->date()), QTimeZone::utc()).toString(QStringLiteral("yyyy-MM-ddThh:mm")) + u' '
                    + number(e->balance()) + u' ' + number(e->adjustment()) + u' ' + number(e->transfers()) + u' ' + quoted(e->note())
                    + (e->id() ? QString() : QStringLiteral(" no-id"));
    return rows.join(u';').toStdString();
}
std::string yearRows(const std::vector<std::shared_ptr<TSXYear>>& years)
{
    QStringList rows;
    for (const auto& y : years)
        rows << QStringList{QString::number(y->sortOrder()), QString::number(y->year()), quoted(y->label()), number(y->tsxReturn()),
                            number(y->netCashFlows()), number(y->actualStart()), number(y->actualEnd())}
                    .join(u' ');
    return rows.join(u';').toStdString();
}

TEST_F(SeedImporterTest, ImportsEveryReadableElementInOneSaveAndSetsTheFlag)
{
    // Dates are UTC midnights whatever the machine's zone: run east of UTC.
    setenv("TZ", "Asia/Tokyo", 1);
    tzset();
    QSignalSpy saves(&context(), &ObjectContext::didSave);
    SeedImporter::seedIfNeeded(context(), {validDirectory});

    // 2024-13-01 and 31/01/2024 are skipped silently; null and absent transfers are 0; an empty
    // note stays a note.
    EXPECT_EQ(entryRows(entries()), "2024-01-31T00:00 100000 0 250.5 'Opening';"
                                    "2024-02-29T00:00 101500.25 1000 0 null;"
                                    "2024-03-31T00:00 99000 -2500.75 0 ''");
    EXPECT_EQ(yearRows(years()), "-32768 0 null 0 0 0 0;1 0 '2025 YTD' -0.05 0 121000 119000;2 2024 null 0.215 3000 100000 121000");
    EXPECT_EQ(saves.count(), 1);
    EXPECT_FALSE(context().hasChanges());
    EXPECT_TRUE(flagSet());
    EXPECT_THAT(log_, IsEmpty());
}

// Whether the import runs: existing entries prevent it, missing files are logged, empty arrays
// are valid; each way the flag is set and, since the flag and not an empty store says the
// import has run, a later start does not import again.
TEST_F(SeedImporterTest, RunsAtMostOnceAndOnlyIntoAnEmptyStore)
{
    const QString missing = QStringLiteral("corvanta_seed.json missing or invalid|tsx_seed.json missing or invalid");
    QTemporaryDir empty;
    for (const auto& [hasEntry, folder, log] : {std::tuple{true, validDirectory, QString()}, std::tuple{false, empty.path(), missing},
                                                std::tuple{false, folderWith(QStringLiteral("[]"), QStringLiteral(" [ ] ")), QString()}}) {
        SCOPED_TRACE(folder.toStdString());
        restart();
        if (hasEntry) {
            BalanceEntry::create(context())->setBalance(5);
            ASSERT_TRUE(context().save().ok());
        }
        SeedImporter::seedIfNeeded(context(), {folder});
        EXPECT_EQ(log_.join(u'|'), log);
        EXPECT_EQ(entries().size(), hasEntry ? 1u : 0u);
        EXPECT_THAT(years(), IsEmpty());
        EXPECT_TRUE(flagSet());
        SeedImporter::seedIfNeeded(context(), {validDirectory});
        EXPECT_THAT(years(), IsEmpty());
    }
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
