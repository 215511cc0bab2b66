#include "model/store/StoreChangeWatcher.h"

#include <QFileInfo>

#include <array>

namespace {
// After the last write: the commit is normally visible at the first notice; the later ones
// cover a slow fsync.
constexpr std::array<int, 3> followUpMilliseconds = {250, 1000, 4000};
} // namespace

StoreChangeWatcher::StoreChangeWatcher(const QString& storePath, QObject* parent)
    : QObject(parent), files_{storePath, storePath + QStringLiteral("-wal")}
{
    followUp_.setSingleShot(true);
    connect(&followUp_, &QTimer::timeout, this, &StoreChangeWatcher::onFollowUp);
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
    followUpsDone_ = 0;
    followUp_.start(followUpMilliseconds[0]);
}

void StoreChangeWatcher::onFollowUp()
{
    Q_EMIT storeMayHaveChanged();
    if (++followUpsDone_ < followUpMilliseconds.size())
        followUp_.start(followUpMilliseconds[followUpsDone_]);
}

void StoreChangeWatcher::watchExistingFiles()
{
    const QStringList watched = watcher_.files();
    for (const QString& file : files_)
        if (!watched.contains(file) && QFileInfo::exists(file))
            watcher_.addPath(file);
}
