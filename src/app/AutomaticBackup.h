#pragma once

#include "services/Backups.h"

#include <QObject>

#include <atomic>
#include <thread>

class QWidget;

// The backup a window takes of the store it opened, when the store changed since the newest
// backup: started once the window has been painted for the first time, run on a thread of
// its own, so that start-up never waits for it. A failure (a full disk) is one line in the
// log and nothing else. Destroying the object cancels a backup still running and waits for
// its thread (a cancelled backup leaves no file behind).
class AutomaticBackup : public QObject {
    Q_OBJECT
public:
    AutomaticBackup(QWidget& window, QString storePath, BackupSettings settings, QObject* parent = nullptr);
    ~AutomaticBackup() override;

Q_SIGNALS:
    void finished(); // on the window's thread, whatever the outcome

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void start();

    QWidget& window_;
    QString storePath_;
    BackupSettings settings_;
    std::atomic<bool> cancelled_ = false;
    std::thread thread_;
    bool started_ = false;
};
