#pragma once

#include "automation/BalanceEntryEntity.h"
#include "model/StoredEntries.h"

#include <QByteArray>
#include <QString>

// `corvanta entries`: the selected entries written to standard output while they are read from
// the store, one line each or one JSON array, so the memory used does not grow with the store.
namespace EntryListing {
// One entry as the plain listing prints it: the id, a tab, the title, and a tab and the note
// when there is one; the texts escaped, so that an entry is one line (line break included).
QByteArray line(const BalanceEntryEntity& entity);
// One entry as an element of the JSON array, indented as in JsonOutput's documents, without
// a separator or a line break; the same text JsonOutput::entity gives.
QByteArray jsonElement(const BalanceEntryEntity& entity);

// 0, or 1 (with a message) when the store could not be read or standard output not written.
int print(const QString& storePath, const StoredEntrySelection& selection, bool json);
} // namespace EntryListing
