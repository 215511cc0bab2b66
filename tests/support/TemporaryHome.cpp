#include "support/TemporaryHome.h"

#include <QDir>
#include <QStandardPaths>

namespace {
QByteArray swapEnv(const char* name, const QString& value)
{
    QByteArray previous = qgetenv(name);
    qputenv(name, value.toLocal8Bit());
    return previous;
}
void restoreEnv(const char* name, const QByteArray& previous)
{
    if (previous.isNull())
        qunsetenv(name);
    else
        qputenv(name, previous);
}
} // namespace

TemporaryHome::TemporaryHome()
{
    QDir root(dir_.path());
    root.mkpath(QStringLiteral("data"));
    root.mkpath(QStringLiteral("config"));
    root.mkpath(QStringLiteral("run"));
    QFile::setPermissions(root.filePath(QStringLiteral("run")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    previousData_ = swapEnv("XDG_DATA_HOME", dataHome());
    previousConfig_ = swapEnv("XDG_CONFIG_HOME", configHome());
    previousRuntime_ = swapEnv("XDG_RUNTIME_DIR", root.filePath(QStringLiteral("run")));
}

TemporaryHome::~TemporaryHome()
{
    restoreEnv("XDG_DATA_HOME", previousData_);
    restoreEnv("XDG_CONFIG_HOME", previousConfig_);
    restoreEnv("XDG_RUNTIME_DIR", previousRuntime_);
}

QString TemporaryHome::dataHome() const { return QDir(dir_.path()).filePath(QStringLiteral("data")); }
QString TemporaryHome::configHome() const { return QDir(dir_.path()).filePath(QStringLiteral("config")); }
