#pragma once

#include "model/BalanceEntry.h"

#include <memory>

// The one builder of an entry from plain values: a detached BalanceEntry (in no context) with
// `values`, and a fresh random id when none is given. Safe on any thread: the entry belongs to
// no context until it is inserted.
std::shared_ptr<BalanceEntry> makeBalanceEntry(BalanceEntry::Values values);

// The note rule of typed input (form, editor, command line): an empty text is no note; any
// other text, blanks included, is kept exactly. (Stored files may hold an empty note.)
std::optional<QString> noteFromText(std::optional<QString> text);
