#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

// Tells when another connection may have committed to a store file: the file or its WAL was
// written. Commits of other processes (the command line) reach the window this way, without
// polling. A commit becomes visible to readers a moment after its last write (the WAL index is
// updated after the fsync), so a second notice follows once the writes have settled.
class StoreChangeWatcher : public QObject {
    Q_OBJECT
public:
    explicit StoreChangeWatcher(const QString& storePath, QObject* parent = nullptr);

Q_SIGNALS:
    void storeMayHaveChanged();

private:
    void onFileChanged();
    void watchExistingFiles();

    QStringList files_;
    QFileSystemWatcher watcher_;
    QTimer settled_;
};
