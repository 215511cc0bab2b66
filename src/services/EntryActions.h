#pragma once

#include "model/BalanceEntry.h"
#include "model/Result.h"

#include <memory>
#include <vector>

class ObjectContext;

// The verbs on balance entries, for every face (form, table, editor, command line, D-Bus).
// Each is one save of `context` and, when it succeeds, one named undo step of its undo manager.
// A verb whose save fails leaves nothing behind (the context, the store and the undo history
// are as before) and returns the save's error; callers show "Save failed: " + its message.
// Values with a non-finite amount are refused with a message and change nothing.
// Main thread of `context` only.
namespace EntryActions {

// A new entry with `values` (a fresh id when none is given; an empty note is no note).
Result<std::shared_ptr<BalanceEntry>> add(ObjectContext& context, BalanceEntry::Values values);

// Writes every value but the id into `entry` (an entry without an id gets `values.id` or a
// fresh one; an existing id never changes; an empty note is no note). A detached entry is inserted into `context`.
Result<void> update(ObjectContext& context, const std::shared_ptr<BalanceEntry>& entry, BalanceEntry::Values values);

// Deletes the entries (those not in `context`, or already deleted, are left alone).
Result<void> remove(ObjectContext& context, const std::vector<std::shared_ptr<BalanceEntry>>& entries);

} // namespace EntryActions
