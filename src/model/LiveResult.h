#pragma once

#include "model/ChangeSet.h"
#include "model/ObjectContext.h"
#include "model/Result.h"

#include <QObject>

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

// A sorted list of one entity of one context, kept current by the context's change sets,
// telling a listener each edit the way a Qt model announces it (rows inserted, removed,
// moved, updated). Equal sort keys keep the context's fetch order, so the list always equals
// a fresh fetch with the same key. Lives on the context's thread; must not outlive it.
template <class Entity>
class LiveResult {
public:
    using Objects = std::vector<std::shared_ptr<Entity>>;
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

    LiveResult(ObjectContext& context, typename Entity::Attribute sortKey, SortDirection direction)
        : context_(context), sortKey_(sortKey), direction_(direction)
    {
        QObject::connect(&context, &ObjectContext::objectsDidChange, &receiver_,
                         [this](const ChangeSet& changes) { apply(changes); });
    }
    LiveResult(const LiveResult&) = delete;
    LiveResult& operator=(const LiveResult&) = delete;

    // (Re)loads from the context: a reset for the listener. On failure the list is unchanged.
    Result<void> fetch()
    {
        auto fetched = fetchFromContext();
        if (!fetched)
            return fetched.error();
        if (listener_)
            listener_->willReset();
        objects_ = std::move(fetched).value();
        fetched_ = true;
        reindex();
        if (listener_)
            listener_->didReset();
        return {};
    }

    const Objects& objects() const { return objects_; }
    int size() const { return static_cast<int>(objects_.size()); }
    // -1 when absent.
    int indexOf(const Entity& object) const
    {
        auto found = index_.find(&object);
        return found == index_.end() ? -1 : found->second;
    }
    void setListener(Listener* listener) { listener_ = listener; }

private:
    Result<Objects> fetchFromContext()
    {
        if constexpr (std::is_same_v<Entity, BalanceEntry>)
            return context_.fetchBalanceEntries(sortKey_, direction_);
        else
            return context_.fetchTSXYears(sortKey_, direction_);
    }

    void apply(const ChangeSet& changes)
    {
        if (!fetched_)
            return;
        if (changes.reset || !changes.of<Entity>().isEmpty()) {
            if (auto refetched = fetch(); !refetched)
                return;
        }
        if (listener_)
            listener_->didApply(changes);
    }

    void reindex()
    {
        index_.clear();
        for (std::size_t row = 0; row < objects_.size(); ++row)
            index_[objects_[row].get()] = static_cast<int>(row);
    }

    ObjectContext& context_;
    typename Entity::Attribute sortKey_;
    SortDirection direction_;
    Objects objects_;
    std::unordered_map<const Entity*, int> index_;
    Listener* listener_ = nullptr;
    bool fetched_ = false;
    QObject receiver_; // ends the connection with the list
};
