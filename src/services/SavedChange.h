#pragma once

#include "model/Result.h"

#include <functional>

class ObjectContext;
class UndoManager;

// How every verb treats its change: it is applied unrecorded, the context is saved, and only a
// change that was saved becomes one undo group. A change whose save failed is taken back and
// leaves the undo history exactly as it was (no step, no cleared redo).

// Turns the context's undo recording off for its lifetime. Main thread of the context only.
class UnrecordedChanges {
public:
    explicit UnrecordedChanges(ObjectContext& context);
    ~UnrecordedChanges();
    UnrecordedChanges(const UnrecordedChanges&) = delete;
    UnrecordedChanges& operator=(const UnrecordedChanges&) = delete;
    // The manager that recording resumes with (null when the context has none).
    UndoManager* manager() const { return manager_; }

private:
    ObjectContext& context_;
    UndoManager* manager_;
};

// After a failed save: without other pending changes (`hadOtherChanges` false) a rollback
// restores the context exactly, else `takeBack` undoes the change by hand. Unrecorded.
void takeBackChange(ObjectContext& context, bool hadOtherChanges, const std::function<void()>& takeBack);

// After a successful save: `undo` becomes one group of `manager` (nothing without one). It
// runs under the manager's replay, so what it changes through the context is the redo group.
void recordUndo(UndoManager* manager, std::function<void()> undo);

// The three together for a change made in one go.
struct ChangeSteps {
    std::function<void()> apply;
    std::function<void()> takeBack;
    std::function<void()> undo;
};
Result<void> saveChange(ObjectContext& context, const ChangeSteps& steps);
