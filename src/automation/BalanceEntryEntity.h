#pragma once

#include "analytics/Instant.h"
#include "analytics/Uuid.h"
#include "model/BalanceEntry.h"

#include <QString>

#include <optional>
#include <string>
#include <string_view>

// How an entry is shown in a list of results: a title and, when there is one, a subtitle.
struct DisplayRepresentation {
    QString title;
    std::optional<QString> subtitle;
    friend bool operator==(const DisplayRepresentation&, const DisplayRepresentation&) = default;
};

// A self-contained copy of one balance entry, as the command line and the desktop actions see
// it: plain data, safe to pass between threads.
struct BalanceEntryEntity {
    static constexpr const char* typeDisplayName = "Balance Entry";

    Uuid id;
    Instant date = distantPast();
    double balance = 0;
    double adjustment = 0;
    double transfers = 0;
    std::optional<QString> note;

    // Copies `entry`; a missing id becomes a fresh random one, a missing date the distant
    // past. Call it on the entry's own context thread.
    static BalanceEntryEntity from(const BalanceEntry& entry);
    static BalanceEntryEntity from(const BalanceEntry::Values& values);

    // Title "<date> — <balance>" (the medium date, an em dash, whole-unit currency, "$0" when
    // the formatter gives nothing); subtitle the note.
    DisplayRepresentation displayRepresentation() const;
    // The title for an entry of that balance on the day `dateText` names.
    static QString title(const QString& dateText, double balance);
    // The same title appended to `out` in UTF-8, for writers of long listings.
    static void appendTitle(std::string& out, std::string_view dateText, double balance);
};
