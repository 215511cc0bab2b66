#pragma once

#include "model/Result.h"
#include "model/store/StoreBackup.h"

#include <QDateTime>
#include <QString>

#include <atomic>
#include <vector>

// Where backups go: the settings keys Backups/Folder (default: "Backups" beside the store)
// and Backups/Enabled (automatic backups; on unless false).
struct BackupSettings {
    QString folder;
    bool automatic = true;

    static BackupSettings read();
    static QString defaultFolder();
};

struct BackupFile {
    QString path;
    QDateTime time; // local time
    StoreContents contents;
};

// The backup verbs, for the window and the command line alike.
namespace Backups {

// A consistent copy of the store at `storePath`: to `target` when given, else under a new
// name in `folder` (created when missing), after which the folder is rotated.
Result<BackupFile> backUp(const QString& storePath, const QString& folder, const QString& target = {},
                          const std::atomic<bool>* cancelled = nullptr);

// The backups of the folder's own naming (before-restore copies included), newest first, with what each holds (unreadable
// ones are left out).
std::vector<BackupFile> list(const QString& folder);

struct Restored {
    StoreContents contents; // of the store now
    // Where the store as it was went: a before-restore backup in `folder`; a store that could not be opened
    // is moved there whole ("Corvanta-unreadable-<time>.sqlite", never rotated away); empty
    // when there was no store.
    QString previous;
};
// Checks `backup` (refused with the reason, the store untouched), keeps the current store
// in `folder` as said above, then replaces the store's contents with the backup's.
Result<Restored> restore(const QString& storePath, const QString& backup, const QString& folder);

enum class AutomaticOutcome { Disabled, Unchanged, Taken };
// The backup a window takes when it opens a store: only when enabled and when the store
// changed since the newest backup in the folder.
Result<AutomaticOutcome> backUpIfChanged(const QString& storePath, const BackupSettings& settings,
                                         const std::atomic<bool>* cancelled = nullptr);

// "2026-06-04 09:30" for the time, "2026-06-04" for a day, "2001-09-09 – 2026-06-04" for the
// entries' days (empty without dated entries), in the local time zone.
QString timeText(const QDateTime& time);
QString dayText(const std::optional<long long>& date);
QString rangeText(const StoreContents& contents);
// "1 entry", "120 entries"; "1 year", "3 years": counts read right in the singular too.
QString entriesText(long long count);
QString yearsText(long long count);
// "Restored <backup>: 120 entries, 3 years. The store as it was is kept in <path>."
QString restoreReport(const QString& backup, const Restored& restored);

} // namespace Backups
