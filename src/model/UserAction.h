#pragma once

#include "model/Result.h"

#include <QString>

#include <cstddef>

class ObjectContext;

// One user action on a context. What is changed through the context while the action is open
// is recorded; once its save succeeded, the change becomes one undo step named after the action
// (of the context's undo manager, when it has one). A failed save takes the change back: the
// context shows what it showed before, other pending changes stay, the undo history is as it
// was. Every verb goes through one. Main thread of the context only.
class UserAction {
public:
    explicit UserAction(ObjectContext& context);
    // Unfinished: the change stays pending, unrecorded.
    ~UserAction();
    UserAction(const UserAction&) = delete;
    UserAction& operator=(const UserAction&) = delete;

    // Saves the context and finishes with the outcome.
    Result<void> save(const QString& name);
    // Finishes with the outcome of a save made otherwise (a save in steps).
    Result<void> finish(Result<void> saved, const QString& name);

private:
    ObjectContext* context_;
    std::size_t mark_;
    bool hadOtherChanges_;
};
