// Undo and redo of a large import in slices of an event-loop pass: the rows are deleted (or
// written back) a slice at a time in one transaction, then every list drops (or takes in) the
// entries a slice at a time and shows the result in one pass, so that the window keeps painting.
#include "model/ObjectContext.h"

#include "model/ObjectContextPrivate.h"
#include "model/ReleaseOffThread.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QThreadPool>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <span>

namespace {
// Changes of up to this many entries are replayed at once: the window hardly notices them.
constexpr std::size_t entriesAtOnce = 10'000;
constexpr std::size_t rowsPerCheck = 256;
// The bar: the rows written or deleted, then the lists.
constexpr double writingShare = 0.7;

// The log a large replay grew is copied back into the file by a connection of its own on a
// worker thread: on the UI thread the copy holds the window about 90 ms for a million rows.
void checkpointOffThread(const QString& file)
{
    if (!QFileInfo(file).isFile()) // (a store in memory)
        return;
    QThreadPool::globalInstance()->start([file] {
        if (auto database = SqliteDatabase::open(file, SqliteDatabase::Mode::ReadWrite))
            (void)database.value()->checkpoint(); // a failure only leaves the log larger
    });
}
} // namespace

bool ObjectContext::canReplayInBulk(const RecordedChange& change, bool forward) const
{
    if (change.steps_.size() != 1 || !d_->database || d_->saveOpen || d_->adoption || d_->bulkReplay || hasChanges()
        || !d_->entries.isLoaded())
        return false;
    const auto* membership = std::get_if<RecordedChange::Membership>(&change.steps_.front());
    if (!membership || membership->objects.size() <= entriesAtOnce)
        return false;
    const bool leaving = membership->inserted != forward;
    return std::ranges::all_of(membership->objects, [&](const std::shared_ptr<ManagedObject>& object) {
        if (object->kind_ != ManagedObject::Kind::BalanceEntry)
            return false;
        if (leaving)
            return object->context_ == this && object->lifecycle_ == ManagedObject::Lifecycle::Stored && !object->deleted_;
        return object->context_ == nullptr && object->formerRowId() != 0;
    });
}

void ObjectContext::replayInSteps(const RecordedChange& change, bool forward, std::function<void(double)> progressed,
                                  std::function<void(Result<void>)> finished)
{
    if (!canReplayInBulk(change, forward)) {
        finished(saveReplay(change, forward));
        return;
    }
    auto transaction = SqliteTransaction::begin(*d_->database);
    auto logBefore = transaction ? d_->entries.logEnd(*d_->database) : Result<std::int64_t>(transaction.error());
    if (!logBefore) {
        finished(failedSave(logBefore.error()));
        return;
    }
    const auto& membership = std::get<RecordedChange::Membership>(change.steps_.front());
    auto replay = std::make_unique<BulkReplay>();
    replay->leaving = membership.inserted != forward;
    replay->progressed = std::move(progressed);
    replay->finished = std::move(finished);
    replay->transaction.emplace(std::move(transaction).value());
    replay->logBefore = logBefore.value();
    replay->entries.reserve(membership.objects.size());
    for (const auto& object : membership.objects)
        replay->entries.push_back(std::static_pointer_cast<BalanceEntry>(object));
    if (!replay->leaving) {
        // Nothing touches the detached entries meanwhile: they are put in order off the UI thread.
        replay->hold = holdMerges(); // until the lists show them: a merge would read them as new rows
        replay->keys.reserve(replay->entries.size());
        for (const auto& entry : replay->entries)
            replay->keys.push_back(entry->formerRowId());
        replay->ordered = std::async(std::launch::async, [entries = &replay->entries, keys = &replay->keys] {
            return CommittedEntries::restoring(*entries, *keys);
        });
    }
    d_->saveOpen = true; // merges and announcements wait for the commit
    d_->bulkReplay = std::move(replay);
    onNextPass(this, &ObjectContext::continueBulkReplay);
}

// One pass of a bulk replay: writing slices, then the commit, then (for rows leaving) the
// lists preparing and showing the drop.
void ObjectContext::continueBulkReplay()
{
    if (!d_->bulkReplay)
        return;
    BulkReplay& replay = *d_->bulkReplay;
    const QDeadlineTimer deadline(passMilliseconds);
    if (replay.transaction) {
        if (writeBulkReplay(replay, deadline))
            commitBulkReplay(replay);
    } else if (!replay.dropped) {
        replay.dropped = std::make_shared<DroppedEntries>(std::move(replay.entries));
        onNextPass(this, &ObjectContext::continueBulkReplay);
    } else {
        dropBulkReplay(replay, deadline);
    }
}

// Writes slices until the pass is over. True when the next step is the commit, in this pass;
// false when the replay goes on in a later pass, or failed and finished.
bool ObjectContext::writeBulkReplay(BulkReplay& replay, const QDeadlineTimer& deadline)
{
    const std::size_t total = replay.entries.size();
    const std::size_t writtenBefore = replay.written;
    while (replay.written < total && !deadline.hasExpired()) {
        const std::size_t end = std::min(total, replay.written + rowsPerCheck);
        const auto slice = std::span<const std::shared_ptr<BalanceEntry>>(replay.entries).subspan(replay.written, end - replay.written);
        Result<void> done = replay.leaving ? d_->entries.deleteRows(*d_->database, slice) : d_->entries.writeRestoredRows(*d_->database, slice);
        if (!done) {
            finishBulkReplay(failedSave(done.error()));
            return false;
        }
        replay.written = end;
    }
    replay.report(writingShare * double(replay.written) / double(total));
    // The commit takes a pass of its own, and so does the copy of the log it grew.
    if (replay.written != writtenBefore || replay.written < total
        || (!replay.leaving && replay.ordered.wait_for(std::chrono::seconds(0)) != std::future_status::ready)) {
        onNextPass(this, &ObjectContext::continueBulkReplay);
        return false;
    }
    return true;
}

void ObjectContext::commitBulkReplay(BulkReplay& replay)
{
    auto logAfter = d_->entries.logEnd(*d_->database);
    const bool checkpointPending = std::exchange(d_->checkpointPending, true);
    Result<void> committed = logAfter ? replay.transaction->commit() : Result<void>(logAfter.error());
    if (!checkpointPending)
        checkpointOffThread(d_->database->fileName());
    d_->checkpointPending = checkpointPending;
    replay.transaction.reset(); // (rolls back unless committed)
    endOpenSave();
    if (!committed) {
        finishBulkReplay(failedSave(committed.error()));
        return;
    }
    // What the commit logged is this context's own: a later merge need not read it.
    d_->entries.passOwnLog(replay.logBefore, logAfter.value());
    Q_EMIT didSave();
    if (d_->commitObserver)
        d_->commitObserver();
    if (replay.leaving) {
        onNextPass(this, &ObjectContext::continueBulkReplay);
        return;
    }
    // Written back: the rows come in as an import's do.
    startAdoption(std::make_shared<CommittedEntries>(replay.ordered.get()), std::move(replay.hold),
                  [this](double share) {
                      if (d_->bulkReplay)
                          d_->bulkReplay->report(writingShare + (1 - writingShare) * share);
                  },
                  [this] { finishBulkReplay({}); });
}

// Leaving: every list prepares, then one pass shows them all without the entries.
void ObjectContext::dropBulkReplay(BulkReplay& replay, const QDeadlineTimer& deadline)
{
    const auto listeners = d_->adoptionListeners;
    if (replay.ready) {
        flushChangeNotification(); // other changes first: a list they reach prepares again
        const QDeadlineTimer none(0);
        replay.ready = std::ranges::all_of(listeners, [&](AdoptionListener* listener) { return listener->prepareDrop(replay.dropped, none); });
        if (replay.ready) {
            d_->entries.dropStored(replay.dropped->keyRuns);
            for (AdoptionListener* listener : listeners)
                listener->finishDrop();
            ChangeSet changes;
            changes.entries.dropped = {replay.dropped, &replay.dropped->objects};
            Q_EMIT objectsDidChange(changes);
            finishBulkReplay({});
            return;
        }
    }
    std::size_t prepared = 0;
    for (AdoptionListener* listener : listeners)
        prepared += listener->prepareDrop(replay.dropped, deadline) ? 1 : 0;
    replay.ready = prepared == listeners.size();
    replay.report(writingShare + (1 - writingShare) * double(prepared) / double(std::max<std::size_t>(listeners.size(), 1)));
    onNextPass(this, &ObjectContext::continueBulkReplay);
}

void ObjectContext::finishBulkReplay(Result<void> outcome)
{
    std::unique_ptr<BulkReplay> replay = std::move(d_->bulkReplay);
    if (replay->transaction) { // failed while writing: nothing of it reaches the store
        replay->transaction.reset();
        endOpenSave();
    }
    replay->hold.reset(); // (these two reach back into this thread's objects)
    replay->progressed = nullptr;
    auto finished = std::move(replay->finished);
    releaseOffThread(std::shared_ptr<BulkReplay>(replay.release())); // a reference to each entry
    finished(std::move(outcome));
}
