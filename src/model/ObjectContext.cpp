#include "model/ObjectContext.h"

#include "model/EntityTable.h"
#include "model/SqliteDatabase.h"
#include "model/SqliteTransaction.h"
#include "model/UndoManager.h"

#include <QLoggingCategory>
#include <QPointer>

namespace {
Q_LOGGING_CATEGORY(storeLog, "corvanta.store")

// SQLite's own threshold for its automatic checkpoint: the log stays about 4 MB at most
// between saves.
constexpr int checkpointLogPages = 1000;

// What the caller tried, with the store's reason: "The changes could not be saved (database is locked)".
Error failed(const char* what, const Error& cause)
{
    return Error{QStringLiteral("%1 (%2)").arg(QString::fromUtf8(what), cause.message), cause.details};
}

template <class T>
Result<T> readOrFail(Result<T> read)
{
    if (!read)
        return failed("The store could not be read", read.error());
    return read;
}
} // namespace

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
    QPointer<UndoManager> undoManager;
    // The membership step registered last, while it can still take in further objects.
    struct MembershipStep {
        std::shared_ptr<std::vector<std::shared_ptr<ManagedObject>>> objects;
        Membership inverse = Membership::Remove;
        QPointer<UndoManager> manager;
        unsigned long long serial = 0;
    } lastMembershipStep;
    std::function<void()> commitObserver;
    bool changeNotificationPending = false;
    bool refreshPending = false;
    bool checkpointPending = false;
    long long dataVersion = -1;
};

ObjectContext::ObjectContext(std::unique_ptr<SqliteDatabase> database, Error openError)
    : d_(std::make_unique<Private>(*this, std::move(database), std::move(openError)))
{
    if (d_->database) {
        auto version = d_->database->queryInteger("PRAGMA data_version");
        if (version)
            d_->dataVersion = version.value();
        d_->database->deferCheckpoints([this](int logPages) {
            if (logPages >= checkpointLogPages)
                scheduleCheckpoint();
        });
    }
}

ObjectContext::~ObjectContext() = default;

void ObjectContext::insert(const std::shared_ptr<ManagedObject>& object)
{
    if (!object)
        return;
    if (object->context_ && object->context_ != this) {
        qCWarning(storeLog, "An object of another context cannot be inserted; it stays where it is");
        return;
    }
    changeMembership(object, Membership::Insert);
}

void ObjectContext::remove(const std::shared_ptr<ManagedObject>& object)
{
    if (object && object->context_ == this)
        changeMembership(object, Membership::Remove);
}

void ObjectContext::changeMembership(const std::shared_ptr<ManagedObject>& object, Membership change)
{
    const bool insert = change == Membership::Insert;
    bool changed = false;
    if (auto entry = std::dynamic_pointer_cast<BalanceEntry>(object))
        changed = insert ? d_->entries.insert(entry) : d_->entries.remove(entry);
    else if (auto year = std::dynamic_pointer_cast<TSXYear>(object))
        changed = insert ? d_->years.insert(year) : d_->years.remove(year);
    if (!changed)
        return;
    if (recordsUndo())
        registerMembershipUndo(object, insert ? Membership::Remove : Membership::Insert);
    noteChange();
}

void ObjectContext::registerMembershipUndo(const std::shared_ptr<ManagedObject>& object, Membership inverse)
{
    UndoManager* manager = d_->undoManager;
    auto& last = d_->lastMembershipStep;
    if (last.objects && last.inverse == inverse && last.manager == manager && last.serial == manager->stepSerial()) {
        last.objects->push_back(object); // nothing was registered since: same step, same order
        return;
    }
    auto objects = std::make_shared<std::vector<std::shared_ptr<ManagedObject>>>(1, object);
    manager->registerUndo([context = QPointer<ObjectContext>(this), objects, inverse]() {
        if (!context)
            return;
        for (auto object = objects->rbegin(); object != objects->rend(); ++object)
            context->changeMembership(*object, inverse);
    });
    last = {std::move(objects), inverse, manager, manager->stepSerial()};
}

Result<std::vector<std::shared_ptr<BalanceEntry>>> ObjectContext::fetchBalanceEntries(
    BalanceEntry::Attribute sortKey, SortDirection direction)
{
    if (!d_->database)
        return d_->openError;
    refreshFromStore();
    return readOrFail(d_->entries.fetch(*d_->database, sortKey, direction));
}

Result<std::vector<std::shared_ptr<TSXYear>>> ObjectContext::fetchTSXYears(TSXYear::Attribute sortKey, SortDirection direction)
{
    if (!d_->database)
        return d_->openError;
    refreshFromStore();
    return readOrFail(d_->years.fetch(*d_->database, sortKey, direction));
}

Result<std::int64_t> ObjectContext::countBalanceEntries()
{
    if (!d_->database)
        return d_->openError;
    refreshFromStore();
    return readOrFail(d_->entries.count(*d_->database));
}

Result<std::int64_t> ObjectContext::countTSXYears()
{
    if (!d_->database)
        return d_->openError;
    refreshFromStore();
    return readOrFail(d_->years.count(*d_->database));
}

Result<void> ObjectContext::save()
{
    flushChangeNotification();
    if (!hasChanges())
        return {};
    if (!d_->database)
        return d_->openError;
    if (auto written = writeAll(); !written)
        return failed("The changes could not be saved", written.error());
    didCommit();
    return {};
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
    auto transaction = SqliteTransaction::begin(*d_->database);
    if (!transaction)
        return failed("The changes could not be saved", transaction.error());
    d_->entries.startWriting();
    d_->years.startWriting();
    return SaveInProgress(*this, std::move(transaction).value());
}

ObjectContext::SaveInProgress::SaveInProgress(ObjectContext& context, SqliteTransaction transaction)
    : context_(&context), transaction_(std::move(transaction))
{
}

Result<void> ObjectContext::SaveInProgress::writeInserted()
{
    if (!transaction_)
        return Error{QStringLiteral("The changes could not be saved (the save is over)"), {}};
    if (auto written = context_->d_->entries.writeInserts(*context_->d_->database); !written) {
        transaction_.reset(); // rolls back: nothing of this save reaches the store
        return failed("The changes could not be saved", written.error());
    }
    return {};
}

Result<void> ObjectContext::SaveInProgress::commit()
{
    if (!transaction_)
        return Error{QStringLiteral("The changes could not be saved (the save is over)"), {}};
    context_->flushChangeNotification();
    Private& d = *context_->d_;
    Result<void> committed = d.entries.write(*d.database);
    if (committed)
        committed = d.years.write(*d.database);
    if (committed)
        committed = transaction_->commit();
    transaction_.reset();
    if (!committed)
        return failed("The changes could not be saved", committed.error());
    context_->didCommit();
    return {};
}

void ObjectContext::rollback()
{
    const bool entriesChanged = d_->entries.rollback();
    const bool yearsChanged = d_->years.rollback();
    // The recorded steps refer to the states just discarded.
    if (d_->undoManager)
        d_->undoManager->removeAllActions();
    if (entriesChanged || yearsChanged)
        noteChange();
}

bool ObjectContext::hasChanges() const { return d_->entries.hasChanges() || d_->years.hasChanges(); }

void ObjectContext::setUndoManager(UndoManager* undoManager) { d_->undoManager = undoManager; }

UndoManager* ObjectContext::undoManager() const { return d_->undoManager; }

void ObjectContext::setCommitObserver(std::function<void()> observer) { d_->commitObserver = std::move(observer); }

void ObjectContext::scheduleRefreshFromStore()
{
    if (d_->refreshPending)
        return;
    d_->refreshPending = true;
    QMetaObject::invokeMethod(this, &ObjectContext::refreshFromStore, Qt::QueuedConnection);
}

void ObjectContext::refreshFromStore()
{
    d_->refreshPending = false;
    if (!d_->database)
        return;
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
    for (auto merged : {d_->entries.mergeCommitted(*d_->database), d_->years.mergeCommitted(*d_->database)}) {
        if (!merged)
            qCWarning(storeLog, "%s %s", qUtf8Printable(merged.error().message), qUtf8Printable(merged.error().details));
        else
            changed |= merged.value();
    }
    if (changed)
        noteChange();
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

void ObjectContext::willChange(BalanceEntry& object, int attribute) { d_->entries.willChange(object, attribute); }

void ObjectContext::willChange(TSXYear& object, int attribute) { d_->years.willChange(object, attribute); }

bool ObjectContext::recordsUndo() const { return d_->undoManager != nullptr; }

void ObjectContext::registerUndo(std::function<void()> inverse)
{
    if (d_->undoManager)
        d_->undoManager->registerUndo(std::move(inverse));
}

void ObjectContext::noteChange()
{
    if (d_->changeNotificationPending)
        return;
    d_->changeNotificationPending = true;
    QMetaObject::invokeMethod(this, &ObjectContext::flushChangeNotification, Qt::QueuedConnection);
}

void ObjectContext::flushChangeNotification()
{
    if (!std::exchange(d_->changeNotificationPending, false))
        return;
    Q_EMIT objectsDidChange();
}
