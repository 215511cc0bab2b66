#pragma once

#include <QString>
#include <QTemporaryDir>

// Points XDG_DATA_HOME, XDG_CONFIG_HOME and XDG_RUNTIME_DIR at a fresh temporary folder for
// as long as it lives, so that a test never reads or writes the user's own store or settings.
class TemporaryHome {
public:
    TemporaryHome();
    ~TemporaryHome();
    TemporaryHome(const TemporaryHome&) = delete;
    TemporaryHome& operator=(const TemporaryHome&) = delete;

    QString path() const { return dir_.path(); }
    QString dataHome() const;
    QString configHome() const;

private:
    QTemporaryDir dir_;
    QByteArray previousData_;
    QByteArray previousConfig_;
    QByteArray previousRuntime_;
};
