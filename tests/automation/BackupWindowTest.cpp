// Backups beside an open window (on a private session bus: the test runs under
// dbus-run-session): `corvanta restore` hands the restore to the window, and the automatic
// backup goes its own way on a full disk.
#include "CorvantaProcess.h"

#include "app/AutomaticBackup.h"
#include "app/CorvantaApp.h"
#include "app/RootView.h"
#include "app/StatusFeedback.h"
#include "automation/WindowService.h"
#include "app/BackupActions.h"
#include "model/ObjectContext.h"
#include "model/PersistenceController.h"
#include "model/PersistentContainer.h"
#include "model/UndoManager.h"
#include "model/UserAction.h"

#include <QSettings>
#include <QSignalSpy>
#include <gmock/gmock.h>

#include <csignal>
#include <sys/resource.h>

using ::testing::HasSubstr;

namespace {

QStringList logged;
void collect(QtMsgType, const QMessageLogContext&, const QString& message) { logged << message; }

class BackupWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QDir(QFileInfo(storePath).path()).removeRecursively();
        QSettings().setValue(QStringLiteral("didSeedInitialData_v1"), true);
        persistence_ = std::make_unique<PersistenceController>(false);
        app_ = std::make_unique<CorvantaApp>(*persistence_);
        service_ = std::make_unique<WindowService>(app_->context(), [] {});
        service_->setRestoreHandler([this](const QString& path) { return app_->backups().restore(path); });
    }
    void add(int count, bool save = true)
    {
        UserAction action(context()); // saved, one undo step
        for (int i = 0; i < count; ++i) {
            auto entry = BalanceEntry::create(context());
            entry->setDate(instantFromMilliseconds(1'780'000'000'000LL + i * 86'400'000LL));
            entry->setBalance(1000 + i);
        }
        if (save) {
            ASSERT_TRUE(action.save(QStringLiteral("Add")).ok());
        }
    }
    ObjectContext& context() { return app_->context(); }
    std::int64_t count() { return context().countBalanceEntries().value(); }
    ProcessRun restore(const QString& backup)
    {
        QProcess process;
        process.start(QStringLiteral(CORVANTA_BINARY), {QStringLiteral("restore"), backup});
        EXPECT_TRUE(QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, 60000));
        return {process.exitCode(), process.readAllStandardOutput().toStdString(), process.readAllStandardError().toStdString()};
    }
    QStringList backups() const { return QDir(folder).entryList({QStringLiteral("Corvanta-*"), QStringLiteral("*.partial")}, QDir::Files); }

    const QString storePath = PersistentContainer::defaultStorePath();
    const QString folder = BackupSettings::defaultFolder();
    std::unique_ptr<PersistenceController> persistence_;
    std::unique_ptr<CorvantaApp> app_;
    std::unique_ptr<WindowService> service_;
};

TEST_F(BackupWindowTest, RestoreFromTheCommandLineGoesThroughTheOpenWindow)
{
    ASSERT_TRUE(service_->isRegistered()) << "run under dbus-run-session";
    add(3);
    const QString backup = QDir(QFileInfo(storePath).path()).filePath(QStringLiteral("three.sqlite"));
    ASSERT_TRUE(Backups::backUp(storePath, folder, backup));
    add(2);
    ASSERT_TRUE(context().undoManager()->canUndo());

    const ProcessRun restored = restore(backup);
    EXPECT_EQ(restored.exitCode, 0) << restored.errors;
    EXPECT_THAT(restored.output, HasSubstr("3 entries, 0 years. The store as it was is kept in"));
    EXPECT_EQ(count(), 3);
    EXPECT_FALSE(context().undoManager()->canUndo());
    EXPECT_THAT(app_->window().feedback()->message().toStdString(), HasSubstr("the undo history was cleared"));
    EXPECT_EQ(backups().size(), 1) << "the store as it was";

    add(1, false); // not saved: the window cannot let go of it
    const ProcessRun refused = restore(backup);
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.errors, "corvanta restore: The window holds changes not yet saved; nothing was restored\n");
    EXPECT_EQ(count(), 4);
    EXPECT_EQ(backups().size(), 1);
}

// The backup starts only after the first paint; on a full disk (files limited to 128 KB) it
// logs one line and leaves nothing; once there is room it is taken, and not again while the
// store stays as it was.
TEST_F(BackupWindowTest, AFullDiskSkipsTheAutomaticBackupWithoutHoldingUpTheWindow)
{
    add(20'000);
    ASSERT_GT(QFileInfo(storePath).size() + QFileInfo(storePath + QStringLiteral("-wal")).size(), 400'000);
    RootView& window = app_->window();
    const auto launch = [&] {
        AutomaticBackup automatic(window, storePath, BackupSettings{folder, true});
        QSignalSpy finished(&automatic, &AutomaticBackup::finished);
        window.show();
        window.repaint();
        EXPECT_TRUE(finished.wait(30000));
    };

    rlimit unlimited{};
    getrlimit(RLIMIT_FSIZE, &unlimited);
    const rlimit full{128 * 1024, unlimited.rlim_max};
    const auto previousSignal = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &full);
    const QtMessageHandler previousHandler = qInstallMessageHandler(collect);
    launch();
    qInstallMessageHandler(previousHandler);
    setrlimit(RLIMIT_FSIZE, &unlimited);
    std::signal(SIGXFSZ, previousSignal);
    ASSERT_EQ(logged.size(), 1) << logged.join(QLatin1Char('\n')).toStdString();
    EXPECT_THAT(logged[0].toStdString(), HasSubstr("The automatic backup was skipped"));
    EXPECT_TRUE(backups().isEmpty()) << backups().join(QLatin1Char(' ')).toStdString();

    launch();
    EXPECT_EQ(backups().size(), 1);
    launch();
    EXPECT_EQ(backups().size(), 1) << "unchanged since the newest backup";
}

} // namespace
