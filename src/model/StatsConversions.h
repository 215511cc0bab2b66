#pragma once

#include "analytics/StatsInput.h"
#include "analytics/TSXModel.h"
#include "model/BalanceEntry.h"
#include "model/TSXYear.h"

#include <memory>
#include <vector>

// Entities to the analytics' plain values, one snapshot per object, in list order.
// A missing id becomes a fresh random one; a missing date the distant past.
std::vector<StatsInput> statsInputs(const std::vector<std::shared_ptr<BalanceEntry>>& entries);
std::vector<TSXYearInput> inputs(const std::vector<std::shared_ptr<TSXYear>>& years);
