// The window and the command line on one store at once: what `corvanta add` commits in other
// processes reaches the open window, many writers lose nothing and never see the store locked,
// and an idle window does not let the write-ahead log grow without bound.
#include "CorvantaProcess.h"

#include "app/CorvantaApp.h"
#include "app/RootView.h"
#include "model/ObjectContext.h"
#include "model/PersistenceController.h"

#include <QFileInfo>
#include <QSettings>
#include <QTest>
#include <gmock/gmock.h>

using ::testing::HasSubstr;
using ::testing::Not;

namespace {

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
    const QString script = QStringLiteral("i=0; while [ $i -lt 250 ]; do i=$((i+1)); \"$0\" add --balance $i >/dev/null || exit 1; done");
    std::vector<std::unique_ptr<QProcess>> writers;
    for (int w = 0; w < 4; ++w) {
        writers.push_back(std::make_unique<QProcess>());
        writers.back()->setProcessEnvironment(corvanta_.environment());
        writers.back()->start(QStringLiteral("sh"), {QStringLiteral("-c"), script, QStringLiteral(CORVANTA_BINARY)});
    }
    QProcess lister;
    lister.setProcessEnvironment(corvanta_.environment());
    lister.start(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("while :; do \"$0\" entries >/dev/null || exit 1; done"),
                                        QStringLiteral(CORVANTA_BINARY)});

    std::string errors;
    for (auto& writer : writers) {
        // The window stays responsive (and idle) while they run.
        ASSERT_TRUE(QTest::qWaitFor([&] { return writer->state() == QProcess::NotRunning; }, 600000));
        EXPECT_EQ(writer->exitCode(), 0);
        errors += writer->readAllStandardError().toStdString();
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
