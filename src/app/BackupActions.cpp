#include "app/BackupActions.h"

#include "app/BackupDialogs.h"
#include "model/ObjectContext.h"
#include "model/UndoManager.h"
#include "services/BackupRotation.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

namespace {
// Waits with a busy cursor: backing up or restoring a large store takes a moment.
struct BusyCursor {
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
};

QString describeContents(const StoreContents& contents)
{
    const QString range = Backups::rangeText(contents);
    return QObject::tr("%1 and %2%3", "entries and years (days)")
        .arg(Backups::entriesText(contents.entries), Backups::yearsText(contents.years),
             range.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(range));
}
} // namespace

BackupActions::BackupActions(ObjectContext& context, QString storePath, BackupDialogs& dialogs, std::function<void(const QString&)> showStatus)
    : context_(context), storePath_(std::move(storePath)), dialogs_(dialogs), showStatus_(std::move(showStatus))
{
}

void BackupActions::backUpNow()
{
    const QString folder = BackupSettings::read().folder;
    QDir().mkpath(folder);
    const auto target = dialogs_.chooseBackupTarget(QDir(folder).filePath(BackupRotation::fileName(QDateTime::currentDateTime())));
    if (!target)
        return;
    const BusyCursor busy;
    auto taken = Backups::backUp(storePath_, folder, *target);
    if (!taken) {
        dialogs_.showFailure(QObject::tr("The backup could not be made."), taken.error().message);
        return;
    }
    showStatus_(QObject::tr("Backed up %1 to %2.").arg(describeContents(taken.value().contents), taken.value().path));
}

void BackupActions::restoreFromBackup()
{
    const QString folder = BackupSettings::read().folder;
    const auto chosen = dialogs_.chooseBackup(Backups::list(folder), folder);
    if (!chosen)
        return;
    auto offered = StoreBackup::inspect(*chosen, StoreBackup::Check::Integrity);
    if (!offered) {
        dialogs_.showFailure(QObject::tr("This backup cannot be restored."), offered.error().message);
        return;
    }
    const auto entries = context_.countBalanceEntries();
    const auto years = context_.countTSXYears();
    const QString now = entries && years ? QObject::tr("the %1 and %2 in the store now").arg(Backups::entriesText(entries.value()), Backups::yearsText(years.value()))
                                         : QObject::tr("what the store holds now");
    if (!dialogs_.confirmRestore(QObject::tr("Replace the store with %1?").arg(describeBackup(*chosen)),
                                 QObject::tr("This replaces %1 with the backup's %2. The store as it is now is backed up "
                                             "first. The undo history is cleared.")
                                     .arg(now, describeContents(offered.value()))))
        return;
    if (auto restored = restore(*chosen); !restored)
        dialogs_.showFailure(QObject::tr("The backup could not be restored."), restored.error().message);
}

Result<QString> BackupActions::restore(const QString& backupPath)
{
    if (context_.hasChanges())
        return Error{QObject::tr("The window holds changes not yet saved; nothing was restored"),
                     QStringLiteral("org.corvanta.Corvanta.Error.UnsavedChanges")};
    const BusyCursor busy;
    auto restored = Backups::restore(storePath_, backupPath, BackupSettings::read().folder);
    if (!restored)
        return Error{restored.error().message, QStringLiteral("org.corvanta.Corvanta.Error.RestoreFailed")};
    // A count merges what was committed first: the views reload now, not on the next change
    // notice of the file.
    (void)context_.countBalanceEntries();
    if (UndoManager* undo = context_.undoManager())
        undo->removeAllActions();
    showStatus_(QObject::tr("Restored %1; the undo history was cleared.").arg(describeBackup(backupPath)));
    return Backups::restoreReport(backupPath, restored.value());
}

QString BackupActions::describeBackup(const QString& path) const
{
    const QString name = QFileInfo(path).fileName();
    if (const auto time = BackupRotation::timeOf(name))
        return QObject::tr("the backup of %1").arg(Backups::timeText(*time));
    return name;
}
