// Merging what other connections committed, and checkpoints of the write-ahead log: both
// queued to the context's next pass.
#include "model/ObjectContext.h"

#include "model/ObjectContextPrivate.h"

#include <QLoggingCategory>

#include <utility>

namespace {
Q_LOGGING_CATEGORY(storeLog, "corvanta.store")
} // namespace

void ObjectContext::scheduleRefreshFromStore() { queueOnce(this, d_->refreshPending, &ObjectContext::refreshFromStore); }

void ObjectContext::refreshFromStore()
{
    d_->refreshPending = false;
    if (!d_->database)
        return;
    if (d_->saveOpen) {
        d_->refreshDeferred = true;
        return;
    }
    // data_version changes only when another connection committed: the cheap test that makes
    // a file-change notification without a commit (or our own commit) cost nothing.
    auto version = d_->database->queryInteger("PRAGMA data_version");
    if (!version) {
        qCWarning(storeLog, "%s", qUtf8Printable(version.error().message));
        return;
    }
    if (version.value() == d_->dataVersion)
        return;
    d_->dataVersion = version.value();
    bool changed = false;
    const auto merge = [&](auto& table) {
        const bool loaded = table.isLoaded();
        auto merged = table.mergeCommitted(*d_->database);
        if (!merged) {
            qCWarning(storeLog, "%s %s", qUtf8Printable(merged.error().message), qUtf8Printable(merged.error().details));
            return;
        }
        changed |= merged.value();
        // A table never loaded holds no objects to name: those who only count learn of its
        // change as a reset.
        d_->resetPending |= merged.value() && !loaded;
    };
    merge(d_->entries);
    merge(d_->years);
    if (changed)
        noteChange();
}

void ObjectContext::processPendingChanges()
{
    refreshFromStore();
    flushChangeNotification();
}

void ObjectContext::scheduleCheckpoint()
{
    if (std::exchange(d_->checkpointPending, true))
        return;
    QMetaObject::invokeMethod(this, &ObjectContext::checkpoint, Qt::QueuedConnection);
}

void ObjectContext::checkpoint()
{
    d_->checkpointPending = false;
    // A failure (another process holding the log) only leaves the log larger: the next
    // commit tries again, and the last connection to close copies it anyway.
    if (auto copied = d_->database->checkpoint(); !copied)
        qCWarning(storeLog, "%s %s", qUtf8Printable(copied.error().message), qUtf8Printable(copied.error().details));
}
