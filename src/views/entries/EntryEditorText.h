#pragma once

#include "analytics/Instant.h"
#include "model/BalanceEntry.h"

#include <QString>

#include <optional>

// The entry editor's five texts, and the rules that turn an entry's values into them and back.
// Plain values, no widgets: the editor view only binds these to its fields.
struct EntryEditorText {
    QString dateText;
    QString balance;
    QString adjustment;
    QString transfers;
    QString note;

    // The texts an editor starts with: the day as yyyy-MM-dd (today, from `now`, when the entry
    // has none); amounts as their shortest exact decimal text (1242000 -> "1242000.0"), a zero
    // adjustment or transfers as empty text, a zero balance empty only for a new entry; the
    // note as it is.
    static EntryEditorText load(const BalanceEntry::Values& values, bool isNew, Instant now);

    // The values Save writes, or nothing while the balance is not a finite plain number or the
    // day is not a yyyy-MM-dd day. The date is that day's local midnight; unreadable adjustment
    // and transfers are 0; an empty note is none (spaces are kept). The id is left empty: the
    // entry keeps its own, or gets a fresh one.
    std::optional<BalanceEntry::Values> values() const;

    // Whether the red date-format hint shows: a day text that is not blank and not readable.
    // The new-entry form's day field follows the same rule.
    static bool showsDateHint(const QString& dateText);
    bool showsDateHint() const { return showsDateHint(dateText); }
};
