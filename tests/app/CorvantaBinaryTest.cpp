// The real `corvanta` program: what happens before the window, and its hidden test switches.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <gmock/gmock.h>

using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

namespace {

struct ProcessRun {
    int exitCode = -1;
    std::string output;
    std::string errors;
};

class CorvantaBinaryTest : public ::testing::Test {
protected:
    QString dataHome() const { return QDir(home_.path()).filePath(QStringLiteral("data")); }
    QString configHome() const { return QDir(home_.path()).filePath(QStringLiteral("config")); }

    ProcessRun launch(const QStringList& arguments)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_DATA_HOME"), dataHome());
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome());
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        QProcess corvanta;
        corvanta.setProcessEnvironment(environment);
        corvanta.start(QStringLiteral(CORVANTA_BINARY), arguments);
        corvanta.waitForFinished(60000);
        return {corvanta.exitStatus() == QProcess::NormalExit ? corvanta.exitCode() : -1,
                corvanta.readAllStandardOutput().toStdString(), corvanta.readAllStandardError().toStdString()};
    }

    QTemporaryDir home_;
};

TEST_F(CorvantaBinaryTest, AStoreThatCannotBeOpenedEndsTheProcessBeforeAnyWindow)
{
    ASSERT_TRUE(QDir().mkpath(dataHome() + QStringLiteral("/Corvanta")));
    QFile store(dataHome() + QStringLiteral("/Corvanta/Corvanta.sqlite"));
    ASSERT_TRUE(store.open(QIODevice::WriteOnly));
    store.write(QByteArray(4096, 'x'));
    store.close();

    const ProcessRun result = launch({QStringLiteral("--quit-after-first-paint")});
    EXPECT_NE(result.exitCode, 0);
    EXPECT_THAT(result.errors, HasSubstr("Unresolved Core Data error "));
    EXPECT_THAT(result.output, Not(HasSubstr("first-paint")));
    EXPECT_FALSE(QFile::exists(configHome() + QStringLiteral("/Corvanta/Corvanta.conf"))); // no seed attempt
}

TEST_F(CorvantaBinaryTest, FirstLaunchSeedsAndPaintsTheWindowAtItsMinimumSize)
{
    const QString png = QDir(home_.path()).filePath(QStringLiteral("window.png"));
    const ProcessRun result = launch({QStringLiteral("--screenshot"), png});
    ASSERT_EQ(result.exitCode, 0) << result.errors;
    EXPECT_THAT(result.output, StartsWith("first-paint"));
    EXPECT_EQ(QImage(png).size(), QSize(960, 640));
    EXPECT_TRUE(QFile::exists(dataHome() + QStringLiteral("/Corvanta/Corvanta.sqlite")));
    QSettings settings(configHome() + QStringLiteral("/Corvanta/Corvanta.conf"), QSettings::IniFormat);
    EXPECT_TRUE(settings.value(QStringLiteral("didSeedInitialData_v1")).toBool());
}

} // namespace
