// main() for test programs that need Qt: a QApplication on the offscreen platform, with the
// XDG data, config and runtime folders in a temporary folder so that no test touches the
// user's own store or settings.
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <gmock/gmock.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QTemporaryDir home;
    for (const auto& [variable, name] : {std::pair{"XDG_DATA_HOME", "data"}, {"XDG_CONFIG_HOME", "config"}, {"XDG_RUNTIME_DIR", "run"}}) {
        const QString folder = QDir(home.path()).filePath(QString::fromLatin1(name));
        QDir().mkpath(folder);
        qputenv(variable, QFile::encodeName(folder));
    }
    QFile::setPermissions(QDir(home.path()).filePath(QStringLiteral("run")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Corvanta"));
    QApplication::setApplicationName(QStringLiteral("Corvanta"));
    ::testing::InitGoogleMock(&argc, argv);
    return RUN_ALL_TESTS();
}
