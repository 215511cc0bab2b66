#pragma once

#include "model/Result.h"
#include "model/TSXYear.h"

#include <memory>
#include <vector>

class ObjectContext;

// The verbs on the yearly rows of the index comparison; the same contract as EntryActions
// (one save and one named undo step each, nothing left behind by a failed save, non-finite
// amounts refused). Main thread of `context` only.
namespace YearActions {

// A new row with `values` (a fresh id when none is given).
Result<std::shared_ptr<TSXYear>> add(ObjectContext& context, TSXYear::Values values);

// Writes every value but the id into `year` (a row without an id gets `values.id` or a fresh
// one). A detached row is inserted into `context`.
Result<void> update(ObjectContext& context, const std::shared_ptr<TSXYear>& year, TSXYear::Values values);

// Deletes the rows (those not in `context`, or already deleted, are left alone).
Result<void> remove(ObjectContext& context, const std::vector<std::shared_ptr<TSXYear>>& years);

} // namespace YearActions
