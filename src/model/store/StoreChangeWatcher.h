#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

// Tells when another connection may have committed to a store file: the file or its WAL was
// written. Commits of other processes (the command line) reach the window this way, without
// polling. A commit becomes visible to readers a moment after its last write (the WAL index is
// updated after the fsync, which a busy disk can make slow), so a few further notices follow
// the last write, at growing intervals, and then the watcher is quiet again.
class StoreChangeWatcher : public QObject {
    Q_OBJECT
public:
    explicit StoreChangeWatcher(const QString& storePath, QObject* parent = nullptr);

Q_SIGNALS:
    void storeMayHaveChanged();

private:
    void onFileChanged();
    void onFollowUp();
    void watchExistingFiles();

    QStringList files_;
    QFileSystemWatcher watcher_;
    QTimer followUp_;
    std::size_t followUpsDone_ = 0;
};
