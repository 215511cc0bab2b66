// First-run import: what the shipped formats accept and reject, and when the import runs.
#include "analytics/LocalSettings.h"
#include "model/ObjectContext.h"
#include "model/PersistentContainer.h"
#include "model/SeedImporter.h"
#include "support/StoreSql.h"

#include <QDateTime>
#include <QFile>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimeZone>
#include <gmock/gmock.h>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

const QString flagKey = QStringLiteral("didSeedInitialData_v1");
const QString validDirectory = QStringLiteral(CORVANTA_TEST_DATA "/seed/valid");
const QString entriesFile = QStringLiteral("corvanta_seed.json");
const QString yearsFile = QStringLiteral("tsx_seed.json");

QStringList seedLog; // what the importer logged since the last restart()

class SeedImporterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        restart();
        previousHandler_ = qInstallMessageHandler([](QtMsgType, const QMessageLogContext& context, const QString& message) {
            if (QLatin1String(context.category) == QLatin1String("corvanta.seed"))
                seedLog << message;
        });
    }
    void TearDown() override { qInstallMessageHandler(previousHandler_); }

    // A first run again: no flag, an empty store, nothing logged.
    void restart()
    {
        QSettings().remove(flagKey);
        container_ = std::move(PersistentContainer::openInMemory().value());
        seedLog.clear();
    }

    ObjectContext& context() { return container_->viewContext(); }
    std::vector<std::shared_ptr<BalanceEntry>> entries() { return context().fetchBalanceEntries().value(); }
    std::vector<std::shared_ptr<TSXYear>> years() { return context().fetchTSXYears().value(); }
    static bool flagSet() { return QSettings().value(flagKey, false).toBool(); }

    // A folder holding the valid pair of files, with the ones named here replaced.
    QString folderWith(std::initializer_list<std::pair<QString, QString>> replaced)
    {
        for (const QString& file : {entriesFile, yearsFile}) {
            QFile::remove(scratch_.filePath(file)); // a copy does not replace a file
            QFile::copy(validDirectory + u'/' + file, scratch_.filePath(file));
        }
        for (const auto& [name, contents] : replaced) {
            QFile file(scratch_.filePath(name));
            file.open(QIODevice::WriteOnly | QIODevice::Truncate);
            file.write(contents.toUtf8());
        }
        return scratch_.path();
    }

    std::unique_ptr<PersistentContainer> container_;
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
    const ScopedZone zone("Asia/Tokyo"); // dates are UTC midnights whatever the zone: run east of UTC
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
    EXPECT_THAT(seedLog, IsEmpty());
}

// Whether the import runs: existing entries prevent it, missing files are logged, empty arrays
// are valid; each way the flag is set and, since the flag and not an empty store says the
// import has run, a later start does not import again.
TEST_F(SeedImporterTest, RunsAtMostOnceAndOnlyIntoAnEmptyStore)
{
    const QString missing = QStringLiteral("corvanta_seed.json missing or invalid|tsx_seed.json missing or invalid");
    QTemporaryDir empty;
    const QString emptyArrays = folderWith({{entriesFile, QStringLiteral("[]")}, {yearsFile, QStringLiteral(" [ ] ")}});
    for (const auto& [hasEntry, folder, log] : {std::tuple{true, validDirectory, QString()}, std::tuple{false, empty.path(), missing},
                                                std::tuple{false, emptyArrays, QString()}}) {
        SCOPED_TRACE(folder.toStdString());
        restart();
        if (hasEntry) {
            BalanceEntry::create(context())->setBalance(5);
            ASSERT_TRUE(context().save().ok());
        }
        SeedImporter::seedIfNeeded(context(), {folder});
        EXPECT_EQ(seedLog.join(u'|'), log);
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
    ASSERT_TRUE(refuseNewEntries(path, "disk is full"));

    SeedImporter::seedIfNeeded(context(), {validDirectory});
    ASSERT_EQ(seedLog.size(), 1);
    EXPECT_TRUE(seedLog[0].startsWith(QStringLiteral("Seed save failed: ")) && seedLog[0].contains(QStringLiteral("disk is full")))
        << seedLog[0].toStdString();
    EXPECT_TRUE(context().hasChanges());
    EXPECT_EQ(entries().size(), 3u);
    EXPECT_TRUE(flagSet());
}

// One bad element, or a bad shape, rejects its whole file; the other file still imports.
TEST_F(SeedImporterTest, AnInvalidFileIsRejectedWholeAndAloneEitherWay)
{
    const QString entry = QStringLiteral(R"({"date": "2024-01-31", "balance": 1, "adjustment": 0})");
    const QString year = QStringLiteral(R"("tsxReturn": 0.1, "netCashFlows": 0, "actualStart": 1, "actualEnd": 2)");
    const std::pair<const QString&, const char*> invalid[] = {
        {entriesFile, R"({"entries": [GOOD]})"}, {entriesFile, "[GOOD, 5]"},
        {entriesFile, R"([GOOD, {"date": "2024-02-01", "balance": "100", "adjustment": 0}])"},
        {entriesFile, R"([GOOD, {"date": "2024-02-01", "balance": 1}])"},
        {entriesFile, R"([{"date": 20240201, "balance": 1, "adjustment": 0}])"},
        {entriesFile, R"([{"date": "2024-02-01", "balance": 1, "adjustment": 0, "transfers": "5"}])"},
        {entriesFile, R"([{"date": "2024-02-01", "balance": 1, "adjustment": 0, "note": 7}])"},
        {yearsFile, R"([{"year": 2024, YEAR}])"}, {yearsFile, R"([{"sortOrder": 1.5, YEAR}])"},
        {yearsFile, R"([{"sortOrder": 32768, YEAR}])"}, // beyond 16 bits
        {yearsFile, R"([{"sortOrder": 1, "year": 2147483648, YEAR}])"}, {yearsFile, R"([{"sortOrder": 1, "label": 2024, YEAR}])"},
        {yearsFile, R"([{"sortOrder": 1, "netCashFlows": 0, "actualStart": 1, "actualEnd": 2}])"},
    };
    for (const auto& [file, json] : invalid) {
        SCOPED_TRACE(json);
        restart();
        const QString text = QString::fromUtf8(json).replace(QStringLiteral("GOOD"), entry).replace(QStringLiteral("YEAR"), year);
        SeedImporter::seedIfNeeded(context(), {folderWith({{file, text}})});
        EXPECT_THAT(seedLog, ElementsAre(file + QStringLiteral(" missing or invalid")));
        EXPECT_EQ(entries().size(), file == entriesFile ? 0u : 3u);
        EXPECT_EQ(years().size(), file == yearsFile ? 0u : 3u);
        EXPECT_TRUE(flagSet());
    }
}

} // namespace
