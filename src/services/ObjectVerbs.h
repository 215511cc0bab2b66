#pragma once

#include "model/ObjectContext.h"
#include "model/Result.h"
#include "model/UserAction.h"

#include <QString>

#include <memory>
#include <vector>

// The add, update and remove verbs shared by both entities; EntryActions and YearActions give
// them the entity's own rules and the names of their undo steps. Each is one user action: one
// save and, when it succeeds, one named undo step.
namespace ObjectVerbs {

// How a verb writes the values into an object: every attribute but the id (kept; given one
// only when it has none).
template <class Entity>
using Assign = void (*)(Entity& object, const typename Entity::Values& values);

Error foreignObject();
Error deletedObject();

template <class Entity>
Result<std::shared_ptr<Entity>> add(ObjectContext& context, std::shared_ptr<Entity> made, const QString& name)
{
    UserAction action(context);
    context.insert(made);
    if (auto saved = action.save(name); !saved)
        return saved.error();
    return made;
}

// Inserts `object` first when it is detached (or an unsaved insert that was taken back).
template <class Entity>
Result<void> update(ObjectContext& context, const std::shared_ptr<Entity>& object, const typename Entity::Values& values,
                    Assign<Entity> assign, const QString& name)
{
    if (object->context() && object->context() != &context)
        return foreignObject();
    if (object->isDeleted() && object->rowId() != 0)
        return deletedObject();
    UserAction action(context);
    if (!object->context() || object->isDeleted())
        context.insert(object);
    assign(*object, values);
    return action.save(name);
}

// Objects not in `context`, or already deleted, are left alone. `name` names the step after
// the objects removed.
template <class Entity>
Result<void> remove(ObjectContext& context, const std::vector<std::shared_ptr<Entity>>& objects,
                    QString (*name)(const std::vector<std::shared_ptr<Entity>>& removed))
{
    std::vector<std::shared_ptr<Entity>> removed;
    for (const auto& object : objects)
        if (object && object->context() == &context && !object->isDeleted())
            removed.push_back(object);
    if (removed.empty())
        return {};
    UserAction action(context);
    for (const auto& object : removed)
        context.remove(object);
    return action.save(name(removed));
}

} // namespace ObjectVerbs
