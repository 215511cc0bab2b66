#include "model/UserAction.h"

#include "model/ObjectContext.h"
#include "model/UndoManager.h"

#include <utility>

UserAction::UserAction(ObjectContext& context)
    : context_(&context), mark_(context.beginAction()), hadOtherChanges_(context.hasChanges())
{
}

UserAction::~UserAction()
{
    if (context_)
        (void)context_->endAction(mark_);
}

Result<void> UserAction::save(const QString& name) { return finish(context_ ? context_->save() : Result<void>(), name); }

Result<void> UserAction::finish(Result<void> saved, const QString& name)
{
    ObjectContext* context = std::exchange(context_, nullptr);
    if (!context)
        return saved;
    RecordedChange change = context->endAction(mark_);
    if (!saved) {
        context->takeBack(change, true, hadOtherChanges_);
        return saved;
    }
    if (UndoManager* manager = context->undoManager())
        manager->push(name, *context, std::move(change));
    return saved;
}
