#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <variant>
#include <vector>

class ManagedObject;

// The changes one action made through a context, in the order made: enough to take them back
// and to make them again (ObjectContext::replay). Holds the objects it names.
class RecordedChange {
public:
    bool isEmpty() const { return steps_.empty(); }
    // Objects a save elsewhere (a background context) inserted, once the context they are
    // objects of merged them: taking the change back deletes them there.
    static RecordedChange inserted(std::vector<std::shared_ptr<ManagedObject>> objects)
    {
        RecordedChange change;
        if (!objects.empty())
            change.steps_.push_back(Membership{std::move(objects), true});
        return change;
    }

private:
    friend class ObjectContext;
    // Objects inserted (or removed) one after another: one step, however many (an import).
    struct Membership {
        std::vector<std::shared_ptr<ManagedObject>> objects;
        bool inserted = false;
    };
    // One attribute set: `forward` writes the new value, otherwise the old one.
    using Assignment = std::function<void(bool forward)>;
    using Step = std::variant<Membership, Assignment>;
    std::vector<Step> steps_;
};
