#pragma once

#include "model/PersistentContainer.h"
#include "model/StoreLocation.h"

#include <memory>

class StoreChangeWatcher;

// The container over one SQLite store: the main context on the opening thread, a background
// context per request, and the merge of other connections' commits into the main context
// (in-process saves are announced directly; other processes are noticed by a file watcher).
class SqliteContainer final : public PersistentContainer {
public:
    static Result<std::unique_ptr<PersistentContainer>> open(const StoreLocation& location);
    ~SqliteContainer() override;

    ObjectContext& viewContext() override { return *viewContext_; }
    std::unique_ptr<BackgroundContext> newBackgroundContext() override;

private:
    SqliteContainer(StoreLocation location, std::unique_ptr<ObjectContext> viewContext);

    StoreLocation location_;
    std::unique_ptr<ObjectContext> viewContext_;
    std::unique_ptr<StoreChangeWatcher> watcher_;
};
