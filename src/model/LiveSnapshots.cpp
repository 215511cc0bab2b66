#include "model/LiveSnapshots.h"

#include "model/StatsConversions.h"

#include <algorithm>
#include <ranges>

LiveSnapshots::LiveSnapshots(ObjectContext& context, std::function<void()> changed)
    : entries_(context, BalanceEntry::Date, SortDirection::Ascending), changed_(std::move(changed))
{
    entries_.setListener(this);
}

LiveSnapshots::~LiveSnapshots() { entries_.setListener(nullptr); }

Result<void> LiveSnapshots::fetch() { return entries_.fetch(); }

std::size_t LiveSnapshots::takeFirstChangedRow() { return std::exchange(firstChanged_, inputs_->size()); }

void LiveSnapshots::touched(int row) { firstChanged_ = std::min(firstChanged_, std::size_t(row)); }

void LiveSnapshots::didReset()
{
    *inputs_ = statsInputs(entries_.objects());
    firstChanged_ = 0;
}

void LiveSnapshots::willInsert(int first, int last)
{
    inserting_ = {first, last};
    touched(first);
}

void LiveSnapshots::didInsert()
{
    const auto& objects = entries_.objects();
    const auto added = statsInputs(std::ranges::subrange(objects.begin() + inserting_.first, objects.begin() + inserting_.second + 1));
    inputs_->insert(inputs_->begin() + inserting_.first, added.begin(), added.end());
}

void LiveSnapshots::willRemove(int first, int last)
{
    inputs_->erase(inputs_->begin() + first, inputs_->begin() + last + 1);
    touched(first);
}

void LiveSnapshots::willMove(int from, int to)
{
    auto& inputs = *inputs_;
    if (to < from)
        std::rotate(inputs.begin() + to, inputs.begin() + from, inputs.begin() + from + 1);
    else
        std::rotate(inputs.begin() + from, inputs.begin() + from + 1, inputs.begin() + to);
    touched(std::min(from, to));
}

void LiveSnapshots::didUpdate(int first, int last, std::uint32_t)
{
    const auto& objects = entries_.objects();
    for (int row = first; row <= last; ++row)
        (*inputs_)[std::size_t(row)] = statsInput(*objects[std::size_t(row)]);
    touched(first);
}

void LiveSnapshots::didApply(const ChangeSet& changes)
{
    if ((changes.reset || !changes.entries.isEmpty()) && changed_)
        changed_();
}
