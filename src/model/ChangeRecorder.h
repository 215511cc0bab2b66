#pragma once

#include "model/ChangeSet.h"

#include <cstdint>
#include <memory>
#include <vector>

// Collects the visible changes of one entity in one context between two notifications and
// folds them into one EntityChanges: an object inserted and deleted again appears in neither
// list, one deleted and inserted again (an undo) only with the attributes that changed.
template <class Entity>
class ChangeRecorder {
public:
    void inserted(const std::shared_ptr<Entity>& object) { record(object, false)->visibleNow = true; }
    void deleted(const std::shared_ptr<Entity>& object) { record(object, true)->visibleNow = false; }
    // A change of a visible object's attributes (bit n = attribute n).
    void updated(const std::shared_ptr<Entity>& object, std::uint32_t attributes)
    {
        record(object, true)->attributes |= attributes;
    }
    // The same for an object that already has its step (as every attribute set right after
    // an insert does), without a shared pointer; false when it has none yet.
    bool updatedIfRecorded(Entity& object, std::uint32_t attributes)
    {
        Step* step = stepOf(object);
        if (step)
            step->attributes |= attributes;
        return step;
    }
    bool isEmpty() const { return order_.empty(); }

    // The folded changes, in the order the objects were first touched; starts afresh. The
    // objects are not touched (a save's million inserts would cost one more pass over them):
    // the slots they keep are stale, and stepOf() tells so.
    EntityChanges<Entity> take()
    {
        std::size_t counts[Unseen + 1] = {};
        for (const auto& step : order_)
            ++counts[kindOf(step)];
        EntityChanges<Entity> changes;
        changes.deleted.reserve(counts[Deleted]);
        changes.inserted.reserve(counts[Inserted]);
        changes.updated.reserve(counts[Updated]);
        for (auto& step : order_) {
            switch (kindOf(step)) {
            case Deleted: changes.deleted.push_back(std::move(step.object)); break;
            case Inserted: changes.inserted.push_back(std::move(step.object)); break;
            case Updated: changes.updated.push_back({std::move(step.object), step.attributes}); break;
            case Unseen: break;
            }
        }
        order_.clear();
        return changes;
    }

private:
    struct Step {
        std::shared_ptr<Entity> object;
        bool visibleBefore = false;
        bool visibleNow = false;
        std::uint32_t attributes = 0;
    };
    // The object's step, made on first touch; `visible` tells whether it was visible then.
    // The object itself remembers its step (an object has one context, hence one recorder):
    // an import's million inserts cost no hashing.
    Step* record(const std::shared_ptr<Entity>& object, bool visible)
    {
        if (Step* step = stepOf(*object))
            return step;
        order_.push_back({object, visible, visible, 0});
        object->changeSlot_ = static_cast<std::uint32_t>(order_.size());
        return &order_.back();
    }
    enum Kind { Deleted, Inserted, Updated, Unseen };
    static Kind kindOf(const Step& step)
    {
        if (step.visibleBefore != step.visibleNow)
            return step.visibleNow ? Inserted : Deleted;
        return step.visibleNow && step.attributes ? Updated : Unseen;
    }
    // (A stale slot: of steps already taken, or of another recorder, when the object moved
    // between contexts.)
    Step* stepOf(const Entity& object)
    {
        const std::uint32_t slot = object.changeSlot_;
        if (slot == 0 || slot > order_.size() || order_[slot - 1].object.get() != &object)
            return nullptr;
        return &order_[slot - 1];
    }

    std::vector<Step> order_;
};
