#include "services/SavedChange.h"

#include "model/ObjectContext.h"
#include "model/UndoManager.h"

UnrecordedChanges::UnrecordedChanges(ObjectContext& context) : context_(context), manager_(context.undoManager())
{
    context_.setUndoManager(nullptr);
}

UnrecordedChanges::~UnrecordedChanges() { context_.setUndoManager(manager_); }

void takeBackChange(ObjectContext& context, bool hadOtherChanges, const std::function<void()>& takeBack)
{
    // With the manager detached the rollback leaves the history alone: no step refers to the
    // change it discards.
    UnrecordedChanges unrecorded(context);
    if (hadOtherChanges)
        takeBack();
    else
        context.rollback();
}

void recordUndo(UndoManager* manager, std::function<void()> undo)
{
    if (!manager)
        return;
    manager->beginGroup();
    manager->registerUndo(std::move(undo));
    manager->endGroup();
}

Result<void> saveChange(ObjectContext& context, const ChangeSteps& steps)
{
    const bool hadOtherChanges = context.hasChanges();
    UndoManager* manager = nullptr;
    {
        UnrecordedChanges unrecorded(context);
        manager = unrecorded.manager();
        steps.apply();
    }
    Result<void> saved = context.save();
    if (!saved) {
        takeBackChange(context, hadOtherChanges, steps.takeBack);
        return saved;
    }
    recordUndo(manager, steps.undo);
    return saved;
}
