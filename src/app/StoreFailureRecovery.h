#pragma once

class BackupDialogs;
class StoreFailureDialog;
class QString;

// "Restore From Backup…" on the dialog shown when the store cannot be opened, offered only
// when the backups folder holds a backup. Choosing one restores it over the store (the store
// as it was is moved aside whole, never deleted); the person then starts Corvanta again.
namespace StoreFailureRecovery {

void offerBackups(StoreFailureDialog& dialog, const QString& storePath, BackupDialogs& dialogs);

// Installs the offer for every store-failure dialog of this process, with the real dialogs.
void install();

} // namespace StoreFailureRecovery
