#pragma once

#include "analytics/StatsInput.h"
#include "model/BalanceEntry.h"
#include "model/LiveResult.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

// Every entry by date ascending as a live result, and the analytics' snapshot of each in the
// same order, edited row by row as change sets arrive (no refetch, no re-sort, no conversion
// of the untouched rows). Its owner hears of each change set that touched the entries once the
// snapshots follow it, and can ask from which row on they differ from before.
class LiveSnapshots : private LiveResult<BalanceEntry>::Listener {
public:
    using Inputs = std::vector<StatsInput>;

    // `changed` runs after each change set (or reload of a new store) that touched the entries.
    LiveSnapshots(ObjectContext& context, std::function<void()> changed);
    ~LiveSnapshots() override;
    LiveSnapshots(const LiveSnapshots&) = delete;
    LiveSnapshots& operator=(const LiveSnapshots&) = delete;

    // (Re)loads every entry; on failure the lists are unchanged.
    Result<void> fetch();
    const LiveResult<BalanceEntry>::Objects& entries() const { return entries_.objects(); }
    // Shared, so that a view can hold them between changes without a copy; edited in place.
    std::shared_ptr<const Inputs> inputs() const { return inputs_; }
    // The first row any change touched since the last call: every snapshot before it is as it
    // was then (the count of rows when nothing changed).
    std::size_t takeFirstChangedRow();

private:
    void didReset() override;
    void willInsert(int first, int last) override;
    void didInsert() override;
    void willRemove(int first, int last) override;
    void willMove(int from, int to) override;
    void didUpdate(int first, int last, std::uint32_t attributes) override;
    void didApply(const ChangeSet& changes) override;
    void touched(int row);

    LiveResult<BalanceEntry> entries_;
    std::shared_ptr<Inputs> inputs_ = std::make_shared<Inputs>();
    std::function<void()> changed_;
    std::pair<int, int> inserting_;
    std::size_t firstChanged_ = 0;
};
