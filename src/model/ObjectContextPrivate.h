#pragma once

// What an ObjectContext holds; shared by the files of ObjectContext only.

#include "model/CommittedEntries.h"
#include "model/ObjectContext.h"
#include "model/store/EntityTable.h"
#include "model/store/SqliteDatabase.h"
#include "model/UndoManager.h"

#include <QPointer>
#include <QTimer>

#include <functional>
#include <future>
#include <optional>
#include <memory>
#include <type_traits>
#include <utility>

struct ObjectContext::Adoption {
    std::shared_ptr<CommittedEntries> entries;
    AdoptionListener::Adopted byDate; // (within entries)
    MergeHold hold;
    std::function<void(double)> progressed;
    std::function<void()> done;
    std::size_t attached = 0;
    bool ready = false; // every list prepared: the next pass shows them
};

// A large undo or redo under way (see replayInSteps).
struct ObjectContext::BulkReplay {
    std::vector<std::shared_ptr<BalanceEntry>> entries; // the change's, in its order
    bool leaving = false; // their rows are deleted (else written back)
    std::function<void(double)> progressed;
    std::function<void(Result<void>)> finished;
    void report(double share) const
    {
        if (progressed)
            progressed(share);
    }
    // Writing: the transaction, the log's end before it, the entries written so far.
    std::optional<SqliteTransaction> transaction;
    std::int64_t logBefore = 0;
    std::size_t written = 0;
    // Leaving, once committed: what every list prepares to drop; `ready` once all have.
    std::shared_ptr<DroppedEntries> dropped;
    bool ready = false;
    // Written back: held until the adoption shows them; their order for it, made meanwhile
    // off the UI thread (declared last: waited for before the entries go).
    MergeHold hold;
    std::vector<std::int64_t> keys;
    std::future<CommittedEntries> ordered;
};

struct ObjectContext::Private {
    explicit Private(ObjectContext& context, std::unique_ptr<SqliteDatabase> connection, Error error)
        : database(std::move(connection)), openError(std::move(error)), entries(context), years(context)
    {
    }

    // Declared first: the tables' statements are finalized before the connection closes.
    std::unique_ptr<SqliteDatabase> database;
    Error openError;
    EntityTable<BalanceEntry> entries;
    EntityTable<TSXYear> years;
    template <class Entity>
    EntityTable<Entity>& tableOf()
    {
        if constexpr (std::is_same_v<Entity, BalanceEntry>)
            return entries;
        else
            return years;
    }
    QPointer<UndoManager> undoManager;
    // What the open actions changed so far; steps before `sealedSteps` belong to an enclosing
    // action and take in nothing more.
    RecordedChange record;
    std::size_t sealedSteps = 0;
    int openActions = 0;
    std::function<void()> commitObserver;
    bool changeNotificationPending = false;
    bool refreshPending = false;
    bool checkpointPending = false;
    bool resetPending = false;
    // A save in steps is open: announcements wait for its end, merges too (refreshDeferred).
    bool saveOpen = false;
    bool refreshDeferred = false;
    long long dataVersion = -1;
    // An adoption under way (see adoptCommitted), and the live lists that prepare for one.
    std::unique_ptr<Adoption> adoption;
    std::vector<AdoptionListener*> adoptionListeners;
    std::unique_ptr<BulkReplay> bulkReplay;
};

// Queues `call` to the context's next pass unless it is queued already: `queued` stays true
// until the call clears it, so any number of requests in one pass make one call.
template <class Call>
void queueOnce(ObjectContext* context, bool& queued, Call call)
{
    if (std::exchange(queued, true))
        return;
    QMetaObject::invokeMethod(context, call, Qt::QueuedConnection);
}

// Work that would hold the window (a large import taken in, a large Undo) runs in passes of
// about this long, the window painting between them.
inline constexpr int passMilliseconds = 20;

// Runs `call` on a later pass. A timer's, not a queued call: queued calls (and zero timers)
// would run before the window's repaint, which is posted at a low priority, every time.
template <class Call>
void onNextPass(ObjectContext* context, Call call)
{
    QTimer::singleShot(1, Qt::PreciseTimer, context, call);
}
