#include "model/ObjectContext.h"

#include "model/ObjectContextPrivate.h"
#include "model/StoreWords.h"
#include "model/store/SqliteDatabase.h"
#include "model/store/SqliteTransaction.h"
#include "model/UndoManager.h"

#include <QLoggingCategory>
#include <QPointer>

#include <algorithm>
#include <iterator>

namespace {
Q_LOGGING_CATEGORY(storeLog, "corvanta.store")

// SQLite's own threshold for its automatic checkpoint: the log stays about 4 MB at most
// between saves.
constexpr int checkpointLogPages = 1000;

// What the caller tried, with the store's reason: "The changes could not be saved (database is locked)".
Error failed(const char* what, const Error& cause)
{
    return Error{QStringLiteral("%1 (%2)").arg(StoreWords::tr(what), cause.message), cause.details,
                 cause.reason.isEmpty() ? cause.message : cause.reason};
}

// A second save while one is still open in steps (an import's, a large Undo's) would only meet
// SQLite's "cannot start a transaction within a transaction": say what is going on instead.
Error saveInProgress() { return Error{StoreWords::tr("The changes could not be saved (a save is in progress)"), {}}; }

template <class T>
Result<T> readOrFail(Result<T> read)
{
    if (!read)
        return failed(QT_TRANSLATE_NOOP("Store", "The store could not be read"), read.error());
    return read;
}
} // namespace

ObjectContext::ObjectContext(std::unique_ptr<SqliteDatabase> database, Error openError)
    : d_(std::make_unique<Private>(*this, std::move(database), std::move(openError)))
{
    if (d_->database) {
        auto version = d_->database->queryInteger("PRAGMA data_version");
        if (version)
            d_->dataVersion = version.value();
        // Where later merges start, for tables not loaded yet.
        (void)d_->entries.mergeCommitted(*d_->database);
        (void)d_->years.mergeCommitted(*d_->database);
        d_->database->deferCheckpoints([this](int logPages) {
            if (logPages >= checkpointLogPages)
                scheduleCheckpoint();
        });
    }
}

ObjectContext::~ObjectContext()
{
    d_->adoption.reset(); // its hold reaches back into this context
    d_->bulkReplay.reset();
    // A background context's thread may be gone before the queued checkpoint ran.
    if (d_->checkpointPending)
        checkpoint();
}

bool ObjectContext::mayInsert(const ManagedObject* object) const
{
    if (!object)
        return false;
    if (object->context_ && object->context_ != this) {
        qCWarning(storeLog, "An object of another context cannot be inserted; it stays where it is");
        return false;
    }
    return true;
}

void ObjectContext::insert(const std::shared_ptr<ManagedObject>& object)
{
    if (mayInsert(object.get()))
        changeMembership(object, Membership::Insert);
}

void ObjectContext::insert(const std::shared_ptr<BalanceEntry>& entry)
{
    if (mayInsert(entry.get()))
        changeMembershipOf(entry, Membership::Insert);
}

void ObjectContext::insert(const std::shared_ptr<TSXYear>& year)
{
    if (mayInsert(year.get()))
        changeMembershipOf(year, Membership::Insert);
}

void ObjectContext::remove(const std::shared_ptr<ManagedObject>& object)
{
    if (object && object->context_ == this)
        changeMembership(object, Membership::Remove);
}

void ObjectContext::changeMembership(const std::shared_ptr<ManagedObject>& object, Membership change)
{
    switch (object->kind_) {
    case ManagedObject::Kind::BalanceEntry: changeMembershipOf(std::static_pointer_cast<BalanceEntry>(object), change); break;
    case ManagedObject::Kind::TSXYear: changeMembershipOf(std::static_pointer_cast<TSXYear>(object), change); break;
    }
}

template <class Entity>
void ObjectContext::changeMembershipOf(const std::shared_ptr<Entity>& object, Membership change)
{
    auto& table = d_->tableOf<Entity>();
    const bool insert = change == Membership::Insert;
    if (!(insert ? table.insert(object) : table.remove(object)))
        return;
    if (recording())
        recordMembership(object, insert);
    noteChange();
}

std::size_t ObjectContext::beginAction()
{
    ++d_->openActions;
    d_->sealedSteps = d_->record.steps_.size();
    return d_->sealedSteps;
}

RecordedChange ObjectContext::endAction(std::size_t mark)
{
    auto& steps = d_->record.steps_;
    RecordedChange change;
    mark = std::min(mark, steps.size());
    change.steps_.assign(std::make_move_iterator(steps.begin() + static_cast<std::ptrdiff_t>(mark)), std::make_move_iterator(steps.end()));
    steps.resize(mark);
    if (--d_->openActions == 0)
        steps.clear();
    d_->sealedSteps = steps.size();
    return change;
}

bool ObjectContext::recording() const { return d_->openActions > 0; }

void ObjectContext::recordMembership(std::shared_ptr<ManagedObject> object, bool inserted)
{
    auto& steps = d_->record.steps_;
    if (steps.size() > d_->sealedSteps) {
        auto* last = std::get_if<RecordedChange::Membership>(&steps.back());
        if (last && last->inserted == inserted) {
            last->objects.push_back(std::move(object)); // an import's million inserts: one step
            return;
        }
    }
    steps.push_back(RecordedChange::Membership{{std::move(object)}, inserted});
}

void ObjectContext::recordAssignment(RecordedChange::Assignment assignment)
{
    d_->record.steps_.push_back(std::move(assignment));
}

void ObjectContext::replay(const RecordedChange& change, bool forward)
{
    const auto apply = [&](const RecordedChange::Step& step) {
        if (const auto* assignment = std::get_if<RecordedChange::Assignment>(&step)) {
            (*assignment)(forward);
            return;
        }
        const auto& membership = std::get<RecordedChange::Membership>(step);
        const Membership wanted = membership.inserted == forward ? Membership::Insert : Membership::Remove;
        if (forward)
            for (const auto& object : membership.objects)
                changeMembership(object, wanted);
        else
            for (auto object = membership.objects.rbegin(); object != membership.objects.rend(); ++object)
                changeMembership(*object, wanted);
    };
    const auto& steps = change.steps_;
    if (forward)
        std::for_each(steps.begin(), steps.end(), apply);
    else
        std::for_each(steps.rbegin(), steps.rend(), apply);
}

void ObjectContext::takeBack(const RecordedChange& change, bool forward, bool hadOtherChanges)
{
    if (hadOtherChanges)
        replay(change, !forward);
    else
        rollback();
}

Result<void> ObjectContext::saveReplay(const RecordedChange& change, bool forward)
{
    const bool hadOtherChanges = hasChanges();
    replay(change, forward);
    Result<void> saved = save();
    if (!saved)
        takeBack(change, forward, hadOtherChanges);
    return saved;
}

Result<std::vector<std::shared_ptr<BalanceEntry>>> ObjectContext::fetchBalanceEntries(
    BalanceEntry::Attribute sortKey, SortDirection direction)
{
    return readTable(d_->entries, [&](auto& table) { return table.fetch(*d_->database, sortKey, direction); });
}

Result<std::vector<std::shared_ptr<TSXYear>>> ObjectContext::fetchTSXYears(TSXYear::Attribute sortKey, SortDirection direction)
{
    return readTable(d_->years, [&](auto& table) { return table.fetch(*d_->database, sortKey, direction); });
}

Result<std::int64_t> ObjectContext::countBalanceEntries()
{
    return readTable(d_->entries, [&](auto& table) { return table.count(*d_->database); });
}

Result<std::int64_t> ObjectContext::countTSXYears()
{
    return readTable(d_->years, [&](auto& table) { return table.count(*d_->database); });
}

template <class Table, class Read>
auto ObjectContext::readTable(Table& table, Read read) -> decltype(read(table))
{
    if (!d_->database)
        return d_->openError;
    // During a save in steps this connection would read its own uncommitted rows as stored
    // ones: only what is already in memory can be served.
    if (d_->saveOpen && !table.isLoaded())
        return Error{StoreWords::tr("The store could not be read (a save is in progress)"), {}};
    refreshFromStore();
    return readOrFail(read(table));
}

Result<void> ObjectContext::save()
{
    // Announced after the write, not before: a listener's fetch must not load or merge rows
    // under the pending changes (it would drop an edit of a row deleted elsewhere, which the
    // write reports).
    Result<void> saved = hasChanges() ? writeAndCommit() : Result<void>();
    flushChangeNotification();
    return saved;
}

Result<void> ObjectContext::writeAndCommit()
{
    if (!d_->database)
        return d_->openError;
    if (d_->saveOpen)
        return saveInProgress();
    if (auto written = writeAll(); !written)
        return failedSave(written.error());
    didCommit();
    return {};
}

Error ObjectContext::failedSave(const Error& cause)
{
    // Rows found deleted by another connection: the save reported it; this context stops
    // showing them so that the next save can succeed.
    const bool entriesLost = d_->entries.forgetLostRows();
    if (d_->years.forgetLostRows() || entriesLost)
        noteChange();
    return failed(QT_TRANSLATE_NOOP("Store", "The changes could not be saved"), cause);
}

void ObjectContext::didCommit()
{
    d_->entries.didCommit();
    d_->years.didCommit();
    Q_EMIT didSave();
    if (d_->commitObserver)
        d_->commitObserver();
}

Result<void> ObjectContext::writeAll()
{
    auto transaction = SqliteTransaction::begin(*d_->database);
    if (!transaction)
        return transaction.error();
    d_->entries.startWriting();
    d_->years.startWriting();
    if (auto written = d_->entries.write(*d_->database); !written)
        return written;
    if (auto written = d_->years.write(*d_->database); !written)
        return written;
    return transaction.value().commit();
}

Result<ObjectContext::SaveInProgress> ObjectContext::beginSave()
{
    if (!d_->database)
        return d_->openError;
    if (d_->saveOpen)
        return saveInProgress();
    auto transaction = SqliteTransaction::begin(*d_->database);
    if (!transaction)
        return failed(QT_TRANSLATE_NOOP("Store", "The changes could not be saved"), transaction.error());
    d_->entries.startWriting();
    d_->years.startWriting();
    d_->saveOpen = true;
    return SaveInProgress(*this, std::move(transaction).value());
}

ObjectContext::SaveInProgress::SaveInProgress(ObjectContext& context, SqliteTransaction transaction)
    : context_(&context), transaction_(std::move(transaction))
{
}

ObjectContext::SaveInProgress::SaveInProgress(SaveInProgress&& other) noexcept
    : context_(other.context_), transaction_(std::exchange(other.transaction_, std::nullopt))
{
}

ObjectContext::SaveInProgress::~SaveInProgress()
{
    if (transaction_)
        end(); // dropped uncommitted: rolls back
}

// Rolls back unless committed; what waited for the save follows on the next pass.
void ObjectContext::SaveInProgress::end()
{
    transaction_.reset();
    context_->endOpenSave();
}

void ObjectContext::endOpenSave()
{
    d_->saveOpen = false;
    if (std::exchange(d_->refreshDeferred, false))
        scheduleRefreshFromStore();
    if (d_->changeNotificationPending)
        QMetaObject::invokeMethod(this, &ObjectContext::flushChangeNotification, Qt::QueuedConnection);
}

Result<void> ObjectContext::SaveInProgress::writeInserted()
{
    if (!transaction_)
        return Error{StoreWords::tr("The changes could not be saved (the save is over)"), {}};
    if (auto written = context_->d_->entries.writeInserts(*context_->d_->database); !written) {
        end(); // nothing of this save reaches the store
        return failed(QT_TRANSLATE_NOOP("Store", "The changes could not be saved"), written.error());
    }
    return {};
}

Result<void> ObjectContext::SaveInProgress::commit()
{
    if (!transaction_)
        return Error{StoreWords::tr("The changes could not be saved (the save is over)"), {}};
    Private& d = *context_->d_;
    Result<void> committed = d.entries.write(*d.database);
    if (committed)
        committed = d.years.write(*d.database);
    if (committed)
        committed = transaction_->commit();
    end();
    if (!committed)
        return context_->failedSave(committed.error());
    context_->didCommit();
    // Announced only now: a listener's fetch must not run inside the open transaction.
    context_->flushChangeNotification();
    return {};
}

void ObjectContext::rollback()
{
    const bool entriesChanged = d_->entries.rollback();
    const bool yearsChanged = d_->years.rollback();
    // An open action's record refers to the states just discarded.
    d_->record.steps_.clear();
    d_->sealedSteps = 0;
    if (entriesChanged || yearsChanged)
        noteChange();
}

bool ObjectContext::hasChanges() const { return d_->entries.hasChanges() || d_->years.hasChanges(); }

void ObjectContext::setUndoManager(UndoManager* undoManager) { d_->undoManager = undoManager; }

UndoManager* ObjectContext::undoManager() const { return d_->undoManager; }

void ObjectContext::setCommitObserver(std::function<void()> observer) { d_->commitObserver = std::move(observer); }

void ObjectContext::willChange(BalanceEntry& object, int attribute) { d_->entries.willChange(object, attribute); }

void ObjectContext::willChange(TSXYear& object, int attribute) { d_->years.willChange(object, attribute); }

std::shared_ptr<BalanceEntry> ObjectContext::shared(BalanceEntry& object) const { return d_->entries.shared(object); }

std::shared_ptr<TSXYear> ObjectContext::shared(TSXYear& object) const { return d_->years.shared(object); }

void ObjectContext::noteChange() { queueOnce(this, d_->changeNotificationPending, &ObjectContext::flushChangeNotification); }

void ObjectContext::flushChangeNotification()
{
    if (d_->saveOpen || !std::exchange(d_->changeNotificationPending, false))
        return;
    ChangeSet changes;
    changes.entries = d_->entries.takeChanges();
    changes.years = d_->years.takeChanges();
    changes.reset = std::exchange(d_->resetPending, false);
    if (!changes.isEmpty())
        Q_EMIT objectsDidChange(changes);
}
