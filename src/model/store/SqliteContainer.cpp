#include "model/store/SqliteContainer.h"

#include "model/store/StoreChangeWatcher.h"
#include "model/store/StoreConnection.h"
#include "model/ThreadedBackgroundContext.h"

#include <QPointer>

Result<std::unique_ptr<PersistentContainer>> SqliteContainer::open(const StoreLocation& requested)
{
    // Reading must still work when the store cannot be prepared for writing: every
    // connection of the container then only reads, and nothing is created beside the file.
    StoreLocation location = requested;
    if (!location.inMemory)
        location.readOnlyBecause = StoreConnection::readOnlyReason(location.connectionName);
    auto database = StoreConnection::openStore(location);
    if (!database)
        return database.error();
    std::unique_ptr<ObjectContext> viewContext(new ObjectContext(std::move(database).value(), Error{}));
    return std::unique_ptr<PersistentContainer>(new SqliteContainer(location, std::move(viewContext)));
}

SqliteContainer::SqliteContainer(StoreLocation location, std::unique_ptr<ObjectContext> viewContext)
    : location_(std::move(location)), viewContext_(std::move(viewContext))
{
    if (!location_.inMemory) {
        watcher_ = std::make_unique<StoreChangeWatcher>(location_.connectionName);
        QObject::connect(watcher_.get(), &StoreChangeWatcher::storeMayHaveChanged, viewContext_.get(),
                         [view = viewContext_.get()]() { view->scheduleRefreshFromStore(); });
    }
}

SqliteContainer::~SqliteContainer() = default;

std::unique_ptr<BackgroundContext> SqliteContainer::newBackgroundContext()
{
    auto database = StoreConnection::connect(location_);
    std::unique_ptr<ObjectContext> context;
    if (database)
        context.reset(new ObjectContext(std::move(database).value(), Error{}));
    else
        context.reset(new ObjectContext(nullptr, database.error()));
    // A background save reaches the main context on the main context's thread.
    // (The queued call is dropped if the main context is gone by the time it would run.)
    context->setCommitObserver([view = QPointer<ObjectContext>(viewContext_.get())]() {
        if (ObjectContext* target = view.data())
            QMetaObject::invokeMethod(target, [target]() { target->refreshFromStore(); }, Qt::QueuedConnection);
    });
    return std::make_unique<ThreadedBackgroundContext>(std::move(context));
}
