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
// Values with a non-finite amount or a note over NoteRules::maxNoteBytes are refused with a
// message and change nothing.
// Main thread of `context` only.
namespace EntryActions {

// Typed input's empty note is no note; scripts and stored files may mean an empty one.
enum class EmptyNote { None, Kept };

// A new entry with `values` (a fresh id when none is given; an empty note as `emptyNote` says).
Result<std::shared_ptr<BalanceEntry>> add(ObjectContext& context, BalanceEntry::Values values, EmptyNote emptyNote = EmptyNote::None);

// Writes every value but the id into `entry` (an entry without an id gets `values.id` or a
// fresh one; an existing id never changes; an empty note is no note). A detached entry is inserted into `context`.
Result<void> update(ObjectContext& context, const std::shared_ptr<BalanceEntry>& entry, BalanceEntry::Values values);

// Deletes the entries (those not in `context`, or already deleted, are left alone). A failure
// says so in words: "The entry could not be deleted: the disk is full."
Result<void> remove(ObjectContext& context, const std::vector<std::shared_ptr<BalanceEntry>>& entries);

} // namespace EntryActions
