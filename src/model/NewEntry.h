#pragma once

#include "model/BalanceEntry.h"

#include <memory>

// The one builder of an entry from plain values: a detached BalanceEntry (in no context) with
// `values`, a fresh random id when none is given, and no note when the note is empty (any
// other note text, blanks included, is kept exactly as given). Safe on any thread: the entry
// belongs to no context until it is inserted.
std::shared_ptr<BalanceEntry> makeBalanceEntry(BalanceEntry::Values values);

// The note rule on its own: an empty text is no note.
std::optional<QString> noteFromText(QString text);
