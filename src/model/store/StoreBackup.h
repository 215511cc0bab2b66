#pragma once

#include "model/Result.h"

#include <QString>

#include <atomic>
#include <optional>

// What a store file holds, as plain values, all read in one read transaction.
struct StoreContents {
    long long schemaVersion = 0;
    long long entries = 0;
    long long years = 0;
    // The earliest and latest entry date, in milliseconds since the epoch; none without dated
    // entries.
    std::optional<long long> firstEntryDate;
    std::optional<long long> lastEntryDate;
    // Changes with every commit that changed the data (the row keys handed out and the change
    // log's end), so that equal revisions mean equal contents. Empty for an older schema.
    QString revision;
};

// Whole-store copies: backups of a store that stays in use, and their restore.
namespace StoreBackup {

// Copies the store at `storePath` to `targetPath` while other connections go on writing: a
// snapshot of one read transaction, written to a temporary file beside the target, checked
// (integrity, schema version, row counts), synced and renamed into place. A failure or a kill
// at any moment leaves either the target as it was or the complete copy; the temporary file
// is removed on failure. `cancelled` is polled between steps: a cancelled copy is a failure.
// A target that is a symbolic link stays one (the file it leads to is replaced); a folder, a
// device, a named pipe or a socket is refused, nothing written.
Result<StoreContents> copy(const QString& storePath, const QString& targetPath, const std::atomic<bool>* cancelled = nullptr);

enum class Check { Contents, Integrity };
// Reads a backup (or any file offered as one) without writing to it or beside it. Refuses
// what is not a regular file (a named pipe is never opened) and what is not a Corvanta store
// this build can read: not SQLite, truncated, another program's database, a newer schema;
// with Check::Integrity also a file that fails SQLite's integrity check. The error's message
// says why in a sentence.
Result<StoreContents> inspect(const QString& path, Check check);

// The revision of the store or backup at `path`, read cheaply (no integrity check; an older
// schema has none: an error).
Result<QString> revision(const QString& path);

// Replaces the whole contents of the store at `storePath` with those of the backup at
// `backupPath` (which must pass inspect with Check::Integrity), in one write transaction of
// the store: every connection sees either the old contents or the restored ones, and every
// open context re-reads its tables on its next merge. A backup of an older schema is brought
// up to date on the way; the backup file itself is not written. A missing store is created.
Result<StoreContents> restore(const QString& backupPath, const QString& storePath);

} // namespace StoreBackup
