// The real `corvanta` program: what happens before the window, each subcommand's texts, JSON,
// exit statuses and messages, and the command line beside an open window.
#include "CorvantaProcess.h"

#include "app/CorvantaApp.h"
#include "app/RootView.h"
#include "model/ObjectContext.h"
#include "model/PersistenceController.h"
#include "support/StoreSql.h"

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSettings>
#include <QTest>
#include <gmock/gmock.h>

#include <algorithm>
#include <array>

#include <sys/stat.h>
#include <sys/sysmacros.h>

using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

namespace {

class CliBinaryTest : public ::testing::Test {
protected:
    QString settingsPath() const { return corvanta_.scratch(QStringLiteral("config/Corvanta/Corvanta.conf")); }
    CorvantaProcess corvanta_;
};

TEST_F(CliBinaryTest, AStoreThatCannotBeOpenedEndsTheProcessBeforeAnyWindow)
{
    ASSERT_FALSE(corvanta_.writeScratch(QStringLiteral("data/Corvanta/Corvanta.sqlite"), QByteArray(4096, 'x')).isEmpty());
    const ProcessRun result = corvanta_.run({"--quit-after-first-paint"});
    EXPECT_NE(result.exitCode, 0);
    EXPECT_THAT(result.errors, HasSubstr("Unresolved Core Data error "));
    EXPECT_THAT(result.output, Not(HasSubstr("first-paint")));
    EXPECT_FALSE(QFile::exists(settingsPath())); // no seed attempt
}

TEST_F(CliBinaryTest, FirstLaunchSeedsAndPaintsTheWindowAtItsMinimumSize)
{
    const QString png = corvanta_.scratch(QStringLiteral("window.png"));
    const ProcessRun result = corvanta_.run({QStringLiteral("--screenshot"), png});
    ASSERT_EQ(result.exitCode, 0) << result.errors;
    EXPECT_THAT(result.output, StartsWith("first-paint"));
    EXPECT_EQ(QImage(png).size(), QSize(960, 640));
    EXPECT_TRUE(QSettings(settingsPath(), QSettings::IniFormat).value(QStringLiteral("didSeedInitialData_v1")).toBool());
}

TEST_F(CliBinaryTest, HelpNeedsNoStoreAndSubcommandsNeverSeed)
{
    const ProcessRun help = corvanta_.run({"help", "add"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_THAT(help.output, HasSubstr("Usage: corvanta add "));
    EXPECT_FALSE(QFile::exists(corvanta_.storePath()));
    EXPECT_EQ(corvanta_.run({"entries"}).output, "");
    EXPECT_FALSE(QFile::exists(settingsPath()));
}

TEST_F(CliBinaryTest, AddPrintsTheDialogWithTheLocalDayWestAndEastOfUtc)
{
    const std::tuple<const char*, const char*, const char*> cases[] = { // zone, --date, what is printed
        {"Asia/Tokyo", "2026-06-04", "Added $1,000 on Jun 4, 2026.\n"}, // local midnight
        {"America/Toronto", "2026-06-04T02:00:00Z", "Added $1,000 on Jun 3, 2026.\n"},
        {"Asia/Tokyo", "2026-06-04T20:00:00Z", "Added $1,000 on Jun 5, 2026.\n"},
        {"Asia/Tokyo", "2026-06-04T23:30:00", "Added $1,000 on Jun 4, 2026.\n"}, // no offset: local time
        {"America/Toronto", "2026-06-04T23:30:00-02:00", "Added $1,000 on Jun 4, 2026.\n"},
    };
    for (const auto& [zone, date, dialog] : cases) {
        const ProcessRun run = corvanta_.run({"add", "--balance", "1000", "--date", date}, QString::fromUtf8(zone));
        EXPECT_EQ(run.exitCode, 0) << run.errors;
        EXPECT_EQ(run.output, dialog) << zone << " " << date;
        EXPECT_EQ(run.errors, "");
    }
}

struct Failure {
    std::initializer_list<const char*> arguments;
    int status;
    const char* errors;
};

TEST_F(CliBinaryTest, FailuresExitWithTheirStatusAndOneLineNamingTheArgument)
{
    const Failure cases[] = {
        {{"add", "--note", "x"}, 2, "corvanta add: --balance is required (the portfolio balance) (try 'corvanta add --help')\n"},
        {{"-platform", "offscreen", "--frobnicate"}, 2, "corvanta: unknown option 'frobnicate' (try 'corvanta --help')\n"}, // Qt's own option taken
        {{"-platform", "offscreen", "add", "--balance", "5"}, 2,
         "corvanta: the window's options (such as -platform) cannot come before the command 'add' (try 'corvanta --help')\n"},
        {{"import", "/nonexistent/in.csv"}, 1, "CSV Error\nCould not read file.\n\u201c/nonexistent/in.csv\u201d: not found.\n"},
    };
    for (const Failure& c : cases) {
        const ProcessRun run = corvanta_.run(c.arguments);
        EXPECT_EQ(run.exitCode, c.status) << c.errors;
        EXPECT_EQ(run.errors, c.errors);
        EXPECT_EQ(run.output, "");
    }
    EXPECT_EQ(corvanta_.run({"entries"}).output, ""); // nothing was added on the way

    // Standard output on a device that is always full (a scratch node, as /dev/full is).
    const QString full = corvanta_.scratch(QStringLiteral("full"));
    ASSERT_EQ(::mknod(full.toLocal8Bit().constData(), S_IFCHR | 0666, makedev(1, 7)), 0);
    for (const char* subcommand : {"summary", "stats", "--help"}) {
        QProcess process;
        process.setProcessEnvironment(corvanta_.environment());
        process.setStandardOutputFile(full);
        process.start(QStringLiteral(CORVANTA_BINARY), {QString::fromUtf8(subcommand)});
        ASSERT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitCode(), 1) << subcommand;
        EXPECT_THAT(process.readAllStandardError().toStdString(), HasSubstr("standard output could not be written"));
    }

    ASSERT_TRUE(refuseNewEntries(corvanta_.storePath(), "disk is full"));
    const ProcessRun refused = corvanta_.run({"add", "--balance", "5"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_THAT(refused.errors, StartsWith("corvanta add: The changes could not be saved"));
    EXPECT_THAT(refused.errors, HasSubstr("disk is full"));
    EXPECT_EQ(std::count(refused.errors.begin(), refused.errors.end(), '\n'), 1);

    // A store that opens but cannot be read is not an empty portfolio.
    ASSERT_TRUE(execOnStore(corvanta_.storePath(), "DROP TABLE BalanceEntry"));
    for (const char* subcommand : {"summary", "stats", "years"}) {
        const ProcessRun unreadable = corvanta_.run({subcommand});
        EXPECT_EQ(unreadable.exitCode, 1) << subcommand;
        EXPECT_EQ(unreadable.errors, "corvanta " + std::string(subcommand) + ": the store's tables are not as expected\n");
        EXPECT_EQ(unreadable.output, "");
    }
}

struct JsonDocument {
    std::initializer_list<const char*> arguments;
    const char* key; // of the object, or of the array's first object
};

// Each document parses; the keys the command line adds to the actions' encodings are there.
// Without a display neither the add window nor the main window can open: one line and the
// status of a failure, not Qt's lines and an abort.
TEST_F(CliBinaryTest, WindowsWithoutADisplayFailInOneLine)
{
    corvanta_.environment().insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"})
        corvanta_.environment().remove(QString::fromUtf8(name));
    const ProcessRun add = corvanta_.run({"add", "--dialog", "--balance", "5"});
    EXPECT_EQ(add.exitCode, 1);
    EXPECT_EQ(add.errors, "corvanta add: --dialog needs a display, and none could be opened\n");
    EXPECT_FALSE(QFile::exists(corvanta_.storePath()));
    const ProcessRun window = corvanta_.run(QStringList{});
    EXPECT_EQ(window.exitCode, 1);
    EXPECT_THAT(window.errors, StartsWith("corvanta: the window needs a display, and none could be opened"));
    EXPECT_EQ(std::count(window.errors.begin(), window.errors.end(), '\n'), 1);
}

TEST_F(CliBinaryTest, EveryJsonDocumentIsValid)
{
    const JsonDocument documents[] = {
        {{"add", "--balance", "1000", "--date", "2026-06-04", "--json"}, "title"},
        {{"entries", "--json"}, "subtitle"},
        {{"summary", "--json"}, "dialog"},
        {{"stats", "--json"}, "maxDrawdownTrough"},
        {{"stats", "--window", "YTD", "--json"}, "currentDrawdown"},
        {{"stats", "--from", "2026-01-01", "--to", "2026-12-31", "--json"}, "periodStart"},
        {{"years", "--json"}, "comparison"},
        {{"years", "--from-entries", "--json"}, "timeWeightedReturn"},
    };
    for (const JsonDocument& document : documents) {
        const ProcessRun run = corvanta_.run(document.arguments);
        QJsonParseError error;
        const QJsonDocument json = QJsonDocument::fromJson(QByteArray::fromStdString(run.output), &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << run.output;
        const QJsonObject object = json.isArray() ? json.array().first().toObject() : json.object();
        EXPECT_TRUE(object.contains(QString::fromUtf8(document.key))) << run.output;
    }
    const QJsonObject entity = QJsonDocument::fromJson(QByteArray::fromStdString(corvanta_.run({"entries", "--json"}).output))
                                   .array().first().toObject();
    EXPECT_EQ(entity.value(QStringLiteral("date")).toString(), QStringLiteral("2026-06-04T04:00:00Z")); // the local day's start, in UTC
    const QString id = entity.value(QStringLiteral("id")).toString();
    EXPECT_EQ(corvanta_.run({"entries"}).output, (id + QStringLiteral("\tJun 4, 2026 \u2014 $1,000\n")).toStdString());
}

// Rows stored out of date order: the listing follows the dates, the suggestions are the 20
// latest, newest first, and a note's control characters cannot start a line of their own.
TEST_F(CliBinaryTest, EntriesComeInDateOrderOneLineEach)
{
    ASSERT_EQ(corvanta_.run({"summary"}).exitCode, 0); // creates the store
    ASSERT_TRUE(execOnStore(corvanta_.storePath(),
                            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 25)"
                            " INSERT INTO BalanceEntry (pk, id, date, balance) SELECT i, randomblob(16), (26 - i) * 86400000, i FROM n;"
                            "UPDATE BalanceEntry SET note = 'forged' || char(10) || 'line' || char(27) || '[31m' WHERE pk = 25;"));
    const QStringList lines = QString::fromStdString(corvanta_.run({"entries"}, QStringLiteral("UTC")).output).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 25);
    EXPECT_THAT(lines.first().toStdString(), HasSubstr("Jan 2, 1970 \u2014 $25\tforged\\nline\\x1b[31m"));
    EXPECT_THAT(lines.last().toStdString(), HasSubstr("Jan 26, 1970 \u2014 $1"));
    const QStringList suggested = QString::fromStdString(corvanta_.run({"entries", "--suggested"}, QStringLiteral("UTC")).output).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(suggested.size(), 20);
    EXPECT_EQ(suggested.first(), lines.last());
    EXPECT_EQ(suggested.last(), lines[5]);
}

// One calendar for reading, showing and exporting: a day before the Gregorian reform is the
// day typed, not its Julian name.
TEST_F(CliBinaryTest, DaysBeforeTheGregorianReformStayAsTyped)
{
    EXPECT_EQ(corvanta_.run({"add", "--balance", "7", "--date", "1500-03-01"}).output, "Added $7 on Mar 1, 1500.\n");
    EXPECT_THAT(corvanta_.run({"export"}).output, HasSubstr("\n1500-03-01,7.0,"));
}

TEST_F(CliBinaryTest, ImportAndExportPrintTheWindowsAlertTexts)
{
    const QString csv = corvanta_.writeScratch(QStringLiteral("in.csv"), "Date,Balance,Adjustment,Transfers,Note\n2026-01-05,1000,0,0,first\n"
                                                                         "not a date,5,0,0,\n2026-02-05,1100,50,0,\"a, b\"\n");
    const ProcessRun imported = corvanta_.run({QStringLiteral("import"), csv});
    EXPECT_EQ(imported.exitCode, 0);
    EXPECT_EQ(imported.output, "Imported 2 entries\n1 row(s) were skipped (couldn't be parsed).\n");
    EXPECT_EQ(imported.errors, "line 3: 'not a date' is not a date\n");

    const QString exported = corvanta_.scratch(QStringLiteral("out.csv"));
    EXPECT_EQ(corvanta_.run({QStringLiteral("export"), exported}).exitCode, 0);
    QFile written(exported);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(corvanta_.run({"export", "-"}).output, written.readAll().toStdString());

    const ProcessRun unwritable = corvanta_.run({"export", "/nonexistent/folder/out.csv"});
    EXPECT_EQ(unwritable.exitCode, 1);
    EXPECT_THAT(unwritable.errors, StartsWith("CSV Error\nCould not export CSV: "));
}

// A second import of the same file: a dry run says what would happen and writes nothing, the
// plain import warns and imports again, --skip-existing leaves the stored rows out; a file in
// which no row reads is a failure.
TEST_F(CliBinaryTest, ImportSaysWhatIsAlreadyStoredAndSkipsItWhenAsked)
{
    const QString csv = corvanta_.writeScratch(QStringLiteral("in.csv"), "2026-01-05,1000,0,0,first\n2026-01-05,1000,0,0,first\n"
                                                                         "2026-02-05,\"1.100,50\",0,0,\n");
    ASSERT_EQ(corvanta_.run({QStringLiteral("import"), csv}).exitCode, 0);
    const auto count = [&] {
        const std::string listed = corvanta_.run({"entries"}).output;
        return std::count(listed.begin(), listed.end(), '\n');
    };
    ASSERT_EQ(count(), 3);

    const ProcessRun dryRun = corvanta_.run({QStringLiteral("import"), csv, QStringLiteral("--dry-run"), QStringLiteral("--json"),
                                             QStringLiteral("--skip-existing"), QStringLiteral("--decimal-comma")});
    EXPECT_EQ(dryRun.exitCode, 0);
    const QJsonObject preview = QJsonDocument::fromJson(QByteArray::fromStdString(dryRun.output)).object();
    EXPECT_EQ(preview.value(QStringLiteral("rowsRead")).toInt(), 3);
    EXPECT_EQ(preview.value(QStringLiteral("alreadyStored")).toInt(), 2); // 1,100.50 read as 1100.5 is not the stored 110050
    EXPECT_EQ(preview.value(QStringLiteral("wouldImport")).toInt(), 1);
    EXPECT_EQ(preview.value(QStringLiteral("dateOrder")).toString(), QStringLiteral("yyyy-MM-dd"));
    EXPECT_TRUE(preview.value(QStringLiteral("decimalComma")).toBool());
    EXPECT_TRUE(preview.value(QStringLiteral("skipped")).toArray().isEmpty());
    EXPECT_EQ(count(), 3);

    const ProcessRun again = corvanta_.run({QStringLiteral("import"), csv});
    EXPECT_THAT(again.errors, HasSubstr("3 of these rows are already stored"));
    EXPECT_THAT(again.errors, HasSubstr("--skip-existing"));
    EXPECT_THAT(again.errors, HasSubstr("--decimal-comma"));
    EXPECT_EQ(count(), 6);
    const ProcessRun skipping = corvanta_.run({QStringLiteral("import"), csv, QStringLiteral("--skip-existing")});
    EXPECT_EQ(skipping.output, "No rows imported\nSkipped 3 rows already stored.\n");
    EXPECT_EQ(skipping.exitCode, 0);
    EXPECT_EQ(count(), 6);

    const QString unreadable = corvanta_.writeScratch(QStringLiteral("bad.csv"), "Date,Balance\nJun 31 2026,1\n");
    for (const bool dry : {false, true}) {
        const ProcessRun failed = corvanta_.run(dry ? QStringList{QStringLiteral("import"), unreadable, QStringLiteral("--dry-run")}
                                                    : QStringList{QStringLiteral("import"), unreadable});
        EXPECT_EQ(failed.exitCode, 1);
        EXPECT_THAT(failed.errors, StartsWith("line 2: 'Jun 31 2026' is not a date\n"));
    }
}

// The window and the command line on one store at once: what `corvanta add` commits in other
// processes reaches the open window, many writers lose nothing and never see the store locked,
// and an idle window does not let the write-ahead log grow without bound.
class WindowAndCommandLineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The window runs in this process, on the store the command line will use.
        qputenv("XDG_DATA_HOME", corvanta_.scratch(QStringLiteral("data")).toLocal8Bit());
        QSettings().setValue(QStringLiteral("didSeedInitialData_v1"), true);
        persistence_ = std::make_unique<PersistenceController>(false);
        app_ = std::make_unique<CorvantaApp>(*persistence_);
        app_->window().show();
    }

    std::int64_t windowCount() { return app_->context().countBalanceEntries().value(); }

    CorvantaProcess corvanta_;
    std::unique_ptr<PersistenceController> persistence_;
    std::unique_ptr<CorvantaApp> app_;
};

// Four writers of 250 entries each, one process per entry, while a fifth process lists.
TEST_F(WindowAndCommandLineTest, ConcurrentWritersLoseNothingAndTheLogStaysBounded)
{
    const auto start = [this](QProcess& process, const QString& script) {
        process.setProcessEnvironment(corvanta_.environment());
        process.start(QStringLiteral("sh"), {QStringLiteral("-c"), script, QStringLiteral(CORVANTA_BINARY)});
    };
    std::array<QProcess, 4> writers;
    for (QProcess& writer : writers)
        start(writer, QStringLiteral("i=0; while [ $i -lt 250 ]; do i=$((i+1)); \"$0\" add --balance $i >/dev/null || exit 1; done"));
    QProcess lister;
    start(lister, QStringLiteral("while :; do \"$0\" entries >/dev/null || exit 1; done"));

    std::string errors;
    for (QProcess& writer : writers) {
        // The window stays responsive (and idle) while they run.
        ASSERT_TRUE(QTest::qWaitFor([&] { return writer.state() == QProcess::NotRunning; }, 600000));
        EXPECT_EQ(writer.exitCode(), 0);
        errors += writer.readAllStandardError().toStdString();
    }
    const bool listerFailed = lister.state() == QProcess::NotRunning;
    lister.kill();
    lister.waitForFinished();
    errors += lister.readAllStandardError().toStdString();
    EXPECT_FALSE(listerFailed) << errors;
    EXPECT_THAT(errors, Not(HasSubstr("locked")));
    EXPECT_EQ(errors, "");

    EXPECT_TRUE(QTest::qWaitFor([&] { return windowCount() == 1000; }, 5000)) << windowCount();
    // SQLite's own checkpoint threshold is 1000 pages (4 MB); a log far beyond it means no
    // connection copies it back.
    EXPECT_LT(QFileInfo(corvanta_.storePath() + QStringLiteral("-wal")).size(), 8 * 1024 * 1024);
}

} // namespace
