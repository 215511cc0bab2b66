// The real `corvanta` program: what happens before the window, and its hidden test switches.
#include "automation/CorvantaProcess.h"

#include <QFile>
#include <QImage>
#include <QSettings>
#include <gmock/gmock.h>

using ::testing::HasSubstr;

namespace {

TEST(CorvantaBinaryTest, AStoreThatCannotBeOpenedEndsTheProcessBeforeAnyWindow)
{
    const CorvantaProcess corvanta;
    ASSERT_TRUE(QDir().mkpath(corvanta.scratch(QStringLiteral("data/Corvanta"))));
    QFile store(corvanta.storePath());
    ASSERT_TRUE(store.open(QIODevice::WriteOnly) && store.write(QByteArray(4096, 'x')) == 4096);
    store.close();

    const ProcessRun result = corvanta.run({QStringLiteral("--quit-after-first-paint")});
    EXPECT_NE(result.exitCode, 0);
    EXPECT_THAT(result.errors, HasSubstr("Unresolved Core Data error "));
    EXPECT_THAT(result.output, ::testing::Not(HasSubstr("first-paint")));
    EXPECT_FALSE(QFile::exists(corvanta.scratch(QStringLiteral("config/Corvanta/Corvanta.conf")))); // no seed attempt
}

TEST(CorvantaBinaryTest, FirstLaunchSeedsAndPaintsTheWindowAtItsMinimumSize)
{
    const CorvantaProcess corvanta;
    const QString png = corvanta.scratch(QStringLiteral("window.png"));
    const ProcessRun result = corvanta.run({QStringLiteral("--screenshot"), png});
    ASSERT_EQ(result.exitCode, 0) << result.errors;
    EXPECT_THAT(result.output, ::testing::StartsWith("first-paint"));
    EXPECT_EQ(QImage(png).size(), QSize(960, 640));
    EXPECT_TRUE(QFile::exists(corvanta.storePath()));
    QSettings settings(corvanta.scratch(QStringLiteral("config/Corvanta/Corvanta.conf")), QSettings::IniFormat);
    EXPECT_TRUE(settings.value(QStringLiteral("didSeedInitialData_v1")).toBool());
}

} // namespace
