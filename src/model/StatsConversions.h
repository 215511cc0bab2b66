#pragma once

#include "analytics/StatsInput.h"
#include "analytics/TSXModel.h"
#include "model/BalanceEntry.h"
#include "model/TSXYear.h"

#include <memory>
#include <ranges>
#include <vector>

// Entities to the analytics' plain values, one snapshot per object, in list order.
// A missing id becomes `freshId()` (a new random one), drawn only for an entry without one;
// a missing date becomes the distant past.
StatsInput statsInput(const BalanceEntry& entry, Uuid (*freshId)() = Uuid::random);
TSXYearInput yearInput(const TSXYear& year);

// Any range of shared_ptr<BalanceEntry> (a fetch's vector, a live result's list or part of it).
template <std::ranges::sized_range Entries>
std::vector<StatsInput> statsInputs(const Entries& entries, Uuid (*freshId)() = Uuid::random)
{
    std::vector<StatsInput> inputs;
    inputs.reserve(std::ranges::size(entries));
    for (const auto& entry : entries)
        inputs.push_back(statsInput(*entry, freshId));
    return inputs;
}

template <std::ranges::sized_range Years>
std::vector<TSXYearInput> inputs(const Years& years)
{
    std::vector<TSXYearInput> result;
    result.reserve(std::ranges::size(years));
    for (const auto& year : years)
        result.push_back(yearInput(*year));
    return result;
}
