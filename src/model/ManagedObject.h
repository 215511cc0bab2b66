#pragma once

#include <cstdint>
#include <memory>

class ObjectContext;

// Base of the two entities: the object's place in a context and in the store.
// Objects are shared (std::shared_ptr) so that views, undo steps and the context can all
// hold them; an object belongs to at most one context, and is used only on that context's
// thread.
class ManagedObject : public std::enable_shared_from_this<ManagedObject> {
public:
    virtual ~ManagedObject() = default;
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
    ManagedObject() = default;

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
    // The row id while Stored; while Inserted, the insert's turn among the context's unsaved
    // inserts (which come after every stored row in fetch order).
    std::int64_t rowId_ = 0;
    // While detached after a saved delete: the row key it had. Inserted again (an undo of the
    // delete), the object is written back under that key, in its old place among equal dates.
    std::int64_t formerRowId_ = 0;
    // 1 + the object's place in its context's changes not yet announced; 0 for none.
    std::uint32_t changeSlot_ = 0;
    Lifecycle lifecycle_ = Lifecycle::Detached;
    bool deleted_ = false;
};
