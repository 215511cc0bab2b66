#pragma once

#include <cstdint>
#include <memory>

class ObjectContext;

// Base of the two entities: the object's place in a context and in the store.
// Objects are shared (std::shared_ptr) so that views, undo steps and the context can all
// hold them; an object belongs to at most one context, and is used only on that context's
// thread. A million loaded objects pay for every field here, so the object carries neither
// a virtual table (the entity is told by `kind_`; shared_ptr deletes the right type anyway)
// nor a weak pointer to itself (its context finds its shared pointer in the registry).
class ManagedObject {
public:
    enum class Kind : std::uint8_t { BalanceEntry, TSXYear };

    ManagedObject(const ManagedObject&) = delete;
    ManagedObject& operator=(const ManagedObject&) = delete;

    // The context the object is inserted into; null while detached.
    ObjectContext* context() const { return context_; }
    // The store's row id; 0 until the object's first successful save (and again once its
    // delete is saved). Never reused for another row.
    std::int64_t rowId() const { return lifecycle_ == Lifecycle::Stored ? rowId_ : 0; }
    // True from remove() on: a pending delete, or one already saved (the object is then
    // detached). Undoing the delete, or a rollback, makes it false again.
    bool isDeleted() const { return deleted_; }

protected:
    explicit ManagedObject(Kind kind) : kind_(kind) {}
    ~ManagedObject() = default;

private:
    friend class ObjectContext;
    template <class Entity> friend class EntityTable;
    template <class Entity> friend class ChangeRecorder;
    friend struct FetchOrder;
    // Where the object stands in its context: not in one, inserted but not yet saved, or
    // stored (it has a row). `deleted_` on top marks a pending delete (or, for an inserted
    // object, an insert taken back).
    enum class Lifecycle : std::uint8_t { Detached, Inserted, Stored };
    // (The fields run from the widest to the narrowest: a million loaded objects pay for
    // every byte of padding.)
    ObjectContext* context_ = nullptr;
    // The row id while Stored. Otherwise, when `restored_`, the row key the object had before
    // its delete was saved: inserted again (an undo of the delete), it is written back under
    // that key, in its old place among equal dates. Otherwise, while Inserted, the insert's
    // turn among the context's unsaved inserts (which come after every stored row in fetch
    // order).
    std::int64_t rowId_ = 0;
    // 1 + the object's place in its context's changes not yet announced; 0 for none. Left
    // stale once they are announced (ChangeRecorder checks the place holds this object).
    std::uint32_t changeSlot_ = 0;
    Lifecycle lifecycle_ = Lifecycle::Detached;
    bool deleted_ = false;
    bool restored_ = false;
    const Kind kind_;

    // The key to write the object back under (see rowId_), or 0.
    std::int64_t formerRowId() const { return restored_ && lifecycle_ != Lifecycle::Stored ? rowId_ : 0; }
};
