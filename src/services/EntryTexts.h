#pragma once

#include "analytics/Instant.h"
#include "model/BalanceEntry.h"

#include <QString>

#include <optional>

// An entry's five fields as typed (the form, the editor, the add dialog), and the rules that
// turn an entry's values into them and back. Plain values, no widgets: the views only bind
// these to their fields.
struct EntryTexts {
    QString dateText;
    QString balance;
    QString adjustment;
    QString transfers;
    QString note;

    // The texts an editor starts with: the day as yyyy-MM-dd (today, from `now`, when the entry
    // has none); amounts as their shortest exact decimal text (1242000 -> "1242000.0"), a zero
    // adjustment or transfers as empty text, a zero balance empty only for a new entry; the
    // note as it is.
    static EntryTexts load(const BalanceEntry::Values& values, bool isNew, Instant now);

    // What the texts say, read through TypedInput and NoteRules.
    struct Reading {
        // The values to write, when every field reads: the day's local midnight, empty
        // adjustment and transfers as 0, an empty note as none (spaces are kept). No id: the
        // entry keeps its own, or gets a fresh one.
        std::optional<BalanceEntry::Values> values;
        // Why a field cannot be read, one line for under it; empty when it can. A blank day or
        // balance has no reason (it only keeps Save disabled).
        QString date, balance, adjustment, transfers, note;
    };
    Reading read() const;
};
