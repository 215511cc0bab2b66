#pragma once

#include "analytics/StatsInput.h"
#include "analytics/TSXModel.h"
#include "model/BalanceEntry.h"
#include "model/TSXYear.h"

#include <memory>
#include <vector>

// Entities to the analytics' plain values, one snapshot per object, in list order.
// A missing id becomes `freshId()` (a new random one), drawn only for an entry without one;
// a missing date becomes the distant past.
std::vector<StatsInput> statsInputs(const std::vector<std::shared_ptr<BalanceEntry>>& entries, Uuid (*freshId)() = Uuid::random);
std::vector<TSXYearInput> inputs(const std::vector<std::shared_ptr<TSXYear>>& years);
