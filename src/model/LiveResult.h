#pragma once

#include "model/ChangeSet.h"
#include "model/ObjectContext.h"
#include "model/Result.h"

#include <QObject>

#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

// A sorted list of one entity of one context, kept current by the context's change sets,
// telling a listener each edit the way a Qt model announces it (rows inserted, removed,
// moved, updated). Equal sort keys keep the context's fetch order, so the list always equals
// a fresh fetch with the same key. Applying a change set costs in proportion to what it
// changed (plus a scan of the list when an object's sort key changed), not a re-sort.
// Lives on the context's thread; must not outlive the context.
//
// A large adoption (ObjectContext::adoptCommitted) is prepared in steps: the new list is merged
// from the list and the adopted objects a slice at a time, and swapped in at once (a reset).
template <class Entity>
class LiveResult : private ObjectContext::AdoptionListener {
public:
    // A deque, so that the newest entry of either direction comes in without shifting a
    // million rows.
    using Objects = std::deque<std::shared_ptr<Entity>>;
    struct Listener {
        virtual ~Listener() = default;
        virtual void willReset() {}
        virtual void didReset() {}
        virtual void willInsert(int /*first*/, int /*last*/) {}
        virtual void didInsert() {}
        virtual void willRemove(int /*first*/, int /*last*/) {}
        virtual void didRemove() {}
        // Row `from` moves so that it stands before row `to` of the list as it was
        // (QAbstractItemModel::beginMoveRows' destinationChild).
        virtual void willMove(int /*from*/, int /*to*/) {}
        virtual void didMove() {}
        virtual void didUpdate(int /*first*/, int /*last*/, std::uint32_t /*attributes*/) {}
        virtual void didApply(const ChangeSet&) {} // after each whole change set
    };

    // Empty until the first fetch(); change sets before it are ignored.
    LiveResult(ObjectContext& context, typename Entity::Attribute sortKey, SortDirection direction);
    ~LiveResult() override;
    LiveResult(const LiveResult&) = delete;
    LiveResult& operator=(const LiveResult&) = delete;

    // (Re)loads from the context: a reset for the listener. On failure the list is unchanged.
    Result<void> fetch();
    const Objects& objects() const { return objects_; }
    int size() const { return static_cast<int>(objects_.size()); }
    // -1 when absent. A binary search (a scan only for an object whose sort key changed and
    // whose change set has not been applied yet).
    int indexOf(const Entity& object) const;
    void setListener(Listener* listener) { listener_ = listener; }

private:
    void apply(const ChangeSet& changes);
    void applyChanges(const EntityChanges<Entity>& changes);
    void removeRows(std::vector<std::size_t> rows);
    void moveRow(std::size_t from);
    void insertObjects(std::vector<std::shared_ptr<Entity>> objects);
    void announceUpdates(const std::vector<std::pair<std::size_t, std::uint32_t>>& updates);
    bool before(const Entity& a, const Entity& b) const;
    // Where the object stands now, or would be inserted, given its current values.
    std::size_t lowerBound(const Entity& object) const;
    bool isAt(std::size_t row, const Entity& object) const { return row < objects_.size() && objects_[row].get() == &object; }

    bool prepareAdoption(const Adopted& adopted, const QDeadlineTimer& deadline) override;
    void finishAdoption() override;
    bool prepareDrop(const Dropped& dropped, const QDeadlineTimer& deadline) override;
    void finishDrop() override { finishAdoption(); }
    // The adopted objects in this list's order, a run of equal keys at a time.
    bool orderAdopted(const QDeadlineTimer& deadline);
    bool mergeAdopted(const QDeadlineTimer& deadline);
    // An adoption being prepared: `merged` is the list with the adopted objects, built from
    // objects_[0, fromList) and incoming[0, fromIncoming); or, for a drop, without the
    // dropped ones, from objects_[0, fromList).
    struct Adoption {
        Adopted adopted;
        Dropped dropped;
        std::vector<std::shared_ptr<Entity>> incoming;
        std::size_t ordered = 0; // of adopted, taken into incoming
        Objects merged;
        std::size_t fromList = 0;
        std::size_t fromIncoming = 0;
    };
    std::unique_ptr<Adoption> adoption_;
    template <class Step>
    Adoption& preparing(Step Adoption::*field, const Step& step);
    // The last adoption or drop shown (not kept alive: its entries let go of their objects).
    std::weak_ptr<const void> adoptedIn_;
    template <class Other>
    bool isAdoptedIn(const std::shared_ptr<Other>& adopted) const
    {
        return !adoptedIn_.owner_before(adopted) && !adopted.owner_before(adoptedIn_);
    }

    ObjectContext& context_;
    typename Entity::Attribute sortKey_;
    SortDirection direction_;
    Objects objects_;
    Listener* listener_ = nullptr;
    bool fetched_ = false;
    QObject receiver_; // ends the connection with the list
};
