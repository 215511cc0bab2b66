#pragma once

#include "model/ObjectContext.h"
#include "model/Result.h"
#include "services/SavedChange.h"

#include <QPointer>

#include <memory>
#include <vector>

// The add, update and remove verbs shared by both entities; EntryActions and YearActions give
// them the entity's own rules. Each is one save and, when it succeeds, one undo group.
namespace ObjectVerbs {

// How a verb writes the values into an object: every attribute but the id (kept; given one
// only when it has none).
template <class Entity>
using Assign = void (*)(Entity& object, const typename Entity::Values& values);

Error foreignObject();
Error deletedObject();

template <class Entity>
Result<std::shared_ptr<Entity>> add(ObjectContext& context, std::shared_ptr<Entity> made)
{
    const QPointer<ObjectContext> guard(&context);
    auto saved = saveChange(context, {
        .apply = [&] { context.insert(made); },
        .takeBack = [&] { context.remove(made); },
        .undo = [guard, made] { if (guard) guard->remove(made); },
    });
    if (!saved)
        return saved.error();
    return made;
}

// Inserts `object` first when it is detached (or an unsaved insert that was taken back).
template <class Entity>
Result<void> update(ObjectContext& context, const std::shared_ptr<Entity>& object, const typename Entity::Values& values,
                    Assign<Entity> assign)
{
    if (object->context() && object->context() != &context)
        return foreignObject();
    if (object->isDeleted() && object->rowId() != 0)
        return deletedObject();
    const bool inserting = !object->context() || object->isDeleted();
    const typename Entity::Values previous = object->values();
    const QPointer<ObjectContext> guard(&context);
    return saveChange(context, {
        .apply = [&] {
            if (inserting)
                context.insert(object);
            assign(*object, values);
        },
        .takeBack = [&] {
            assign(*object, previous);
            if (inserting)
                context.remove(object);
        },
        .undo = [guard, object, previous, inserting, assign] {
            if (!guard)
                return;
            if (inserting)
                guard->remove(object);
            else
                assign(*object, previous);
        },
    });
}

// Objects not in `context`, or already deleted, are left alone.
template <class Entity>
Result<void> remove(ObjectContext& context, const std::vector<std::shared_ptr<Entity>>& objects)
{
    std::vector<std::shared_ptr<Entity>> removed;
    for (const auto& object : objects)
        if (object && object->context() == &context && !object->isDeleted())
            removed.push_back(object);
    if (removed.empty())
        return {};
    const QPointer<ObjectContext> guard(&context);
    const auto reinsert = [](ObjectContext& target, const std::vector<std::shared_ptr<Entity>>& list) {
        for (auto object = list.rbegin(); object != list.rend(); ++object)
            target.insert(*object);
    };
    return saveChange(context, {
        .apply = [&] { for (const auto& object : removed) context.remove(object); },
        .takeBack = [&] { reinsert(context, removed); },
        .undo = [guard, removed, reinsert] { if (guard) reinsert(*guard, removed); },
    });
}

} // namespace ObjectVerbs
