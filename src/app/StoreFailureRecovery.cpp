#include "app/StoreFailureRecovery.h"

#include "app/BackupDialogs.h"
#include "app/StoreFailureDialog.h"
#include "services/Backups.h"

#include <QObject>

namespace StoreFailureRecovery {

void offerBackups(StoreFailureDialog& dialog, const QString& storePath, BackupDialogs& dialogs)
{
    const QString folder = BackupSettings::read().folder;
    auto backups = Backups::list(folder);
    if (backups.empty())
        return;
    dialog.addRecovery(QObject::tr("Restore From Backup\u2026"), [storePath, folder, backups = std::move(backups), &dialogs] {
        const auto chosen = dialogs.chooseBackup(backups, folder);
        if (!chosen)
            return;
        if (!dialogs.confirmRestore(QObject::tr("Restore %1 over the store that cannot be opened?").arg(*chosen),
                                    QObject::tr("The store as it is now is moved into %1, whole.").arg(folder)))
            return;
        auto restored = Backups::restore(storePath, *chosen, folder);
        if (!restored)
            dialogs.showFailure(QObject::tr("The backup could not be restored."), restored.error().message);
        else
            dialogs.showNotice(QObject::tr("The backup was restored. Start Corvanta again to open it."),
                                Backups::restoreReport(*chosen, restored.value()));
    });
}

void install()
{
    StoreFailureDialog::setRecoveryOffer([](StoreFailureDialog& dialog, const QString& storePath) {
        // Lives as long as the dialog that uses it: the offer runs inside present(), before exec().
        static WidgetBackupDialogs dialogs(nullptr);
        offerBackups(dialog, storePath, dialogs);
    });
}

} // namespace StoreFailureRecovery
