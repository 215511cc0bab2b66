#pragma once

#include "model/Result.h"
#include "services/Backups.h"

#include <QString>

#include <functional>

class BackupDialogs;
class ObjectContext;

// File › Back Up Now… and Restore From Backup…, and the restore `corvanta restore` hands to the
// window over D-Bus. Main thread only. A restore is one step that the undo history does not
// cross: it is cleared, and the status line says so.
class BackupActions {
public:
    BackupActions(ObjectContext& context, QString storePath, BackupDialogs& dialogs, std::function<void(const QString&)> showStatus);

    void backUpNow();
    void restoreFromBackup();
    // Restores without asking; refused while the window holds unsaved changes. The report
    // names the restored backup and where the store as it was is kept.
    Result<QString> restore(const QString& backupPath);

private:
    QString describeBackup(const QString& path) const;

    ObjectContext& context_;
    QString storePath_;
    BackupDialogs& dialogs_;
    std::function<void(const QString&)> showStatus_;
};
