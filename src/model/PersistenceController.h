#pragma once

#include "model/PersistentContainer.h"

#include <functional>
#include <memory>

// The one store of the process. A store that cannot be opened ends the process with
// "Unresolved Core Data error <error>, <details>" and a non-zero status, before any window.
class PersistenceController {
public:
    // Created on first access, exactly once, safe under concurrent first access. Closed when
    // the application object is destroyed (or at exit): not for use after that.
    static PersistenceController& shared();

    explicit PersistenceController(bool inMemory);

    // Shows the fatal message to a person before the process ends (the window's dialog); called
    // after the line went to stderr, with the message and the store's path. None by default.
    using FatalPresenter = std::function<void(const QString& message, const QString& storePath)>;
    static void setFatalPresenter(FatalPresenter presenter);

    PersistentContainer& container() { return *container_; }

private:
    std::unique_ptr<PersistentContainer> container_;
};
