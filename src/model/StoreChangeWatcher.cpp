#include "model/StoreChangeWatcher.h"

#include <QFileInfo>

namespace {
constexpr int settleMilliseconds = 250;
}

StoreChangeWatcher::StoreChangeWatcher(const QString& storePath, QObject* parent)
    : QObject(parent), files_{storePath, storePath + QStringLiteral("-wal")}
{
    settled_.setSingleShot(true);
    settled_.setInterval(settleMilliseconds);
    connect(&settled_, &QTimer::timeout, this, &StoreChangeWatcher::storeMayHaveChanged);
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &StoreChangeWatcher::onFileChanged);
    // The folder tells when a watched file appears again (a WAL is removed when the last
    // connection closes and made anew by the next one).
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &StoreChangeWatcher::watchExistingFiles);
    watcher_.addPath(QFileInfo(storePath).absolutePath());
    watchExistingFiles();
}

void StoreChangeWatcher::onFileChanged()
{
    watchExistingFiles();
    Q_EMIT storeMayHaveChanged();
    settled_.start();
}

void StoreChangeWatcher::watchExistingFiles()
{
    const QStringList watched = watcher_.files();
    for (const QString& file : files_)
        if (!watched.contains(file) && QFileInfo::exists(file))
            watcher_.addPath(file);
}
