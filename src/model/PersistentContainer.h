#pragma once

#include "model/ObjectContext.h"
#include "model/Result.h"

#include <QString>

#include <functional>
#include <memory>

// A background context: its own connection, its own thread. Work runs synchronously on that
// thread (the caller waits; an exception thrown by the work is rethrown to it); only plain
// values may leave the block. It must not outlive its container.
class BackgroundContext {
public:
    virtual ~BackgroundContext() = default;
    virtual void performAndWait(const std::function<void(ObjectContext&)>& work) = 0;
    // Runs the work on the context's thread without waiting for it (long work: an import).
    // Dropping the background context waits for work under way and drops work not begun. The
    // work must not throw.
    virtual void perform(std::function<void(ObjectContext&)> work) = 0;
};

// The store file (or an in-memory store), its schema, the main context, background contexts.
// The main context merges what background contexts and other processes commit, property by
// property, its own unsaved values winning.
class PersistentContainer {
public:
    virtual ~PersistentContainer() = default;

    // Opens (creating when absent) the store at `path`; a store that cannot be opened is
    // reported and left exactly as it was.
    static Result<std::unique_ptr<PersistentContainer>> open(const QString& path);
    static Result<std::unique_ptr<PersistentContainer>> openInMemory();
    // $XDG_DATA_HOME/Corvanta/Corvanta.sqlite (~/.local/share/Corvanta/Corvanta.sqlite)
    static QString defaultStorePath();

    // Bound to the thread that opened the container.
    virtual ObjectContext& viewContext() = 0;
    virtual std::unique_ptr<BackgroundContext> newBackgroundContext() = 0;
};
