#include "services/Backups.h"

#include "analytics/Fmt.h"
#include "model/PersistentContainer.h"
#include "services/BackupRotation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSettings>

#include <algorithm>

namespace {
struct Words {
    Q_DECLARE_TR_FUNCTIONS(Backups)
};

Q_LOGGING_CATEGORY(backupLog, "corvanta.backup")

// A name not yet taken in `folder`: now, or the next free second (two backups in one second
// must not replace each other, least of all the one about to be restored).
QString freshPath(const QDir& folder, QString (*nameFor)(const QDateTime&) = BackupRotation::fileName)
{
    QDateTime time = QDateTime::currentDateTime();
    QString path;
    do {
        path = folder.filePath(nameFor(time));
        time = time.addSecs(1);
    } while (QFileInfo::exists(path));
    return path;
}

void rotate(const QDir& folder)
{
    const QStringList names = folder.entryList({QStringLiteral("Corvanta-*.sqlite")}, QDir::Files);
    for (const QString& name : BackupRotation::expired(names)) {
        if (!QFile::remove(folder.filePath(name)))
            qCWarning(backupLog, "The old backup %s could not be removed", qUtf8Printable(folder.filePath(name)));
    }
}

// A store that opens is backed up; one that does not is moved into the folder whole, so that
// the restore starts from a new file and the unreadable one is still there to look at.
Result<QString> keepCurrentStore(const QString& storePath, const QString& folder)
{
    if (!QFileInfo::exists(storePath))
        return QString();
    const QDir into(folder);
    if (StoreBackup::inspect(storePath, StoreBackup::Check::Integrity)) {
        if (!into.mkpath(QStringLiteral(".")))
            return Error{Words::tr("The backups folder could not be created"), QStringLiteral("{path: %1}").arg(folder)};
        const QString path = freshPath(into, BackupRotation::beforeRestoreFileName);
        auto kept = StoreBackup::copy(storePath, path);
        if (!kept)
            return kept.error();
        return path;
    }
    const QString aside = into.filePath(QStringLiteral("Corvanta-unreadable-%1.sqlite").arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd-HHmmss"))));
    if (!into.mkpath(QStringLiteral(".")) || !QFile::rename(storePath, aside))
        return Error{Words::tr("The unreadable store could not be moved aside"), QStringLiteral("{path: %1, to: %2}").arg(storePath, aside)};
    for (const char* companion : {"-wal", "-shm"})
        if (QFileInfo::exists(storePath + QLatin1String(companion)))
            QFile::rename(storePath + QLatin1String(companion), aside + QLatin1String(companion));
    return aside;
}

} // namespace

BackupSettings BackupSettings::read()
{
    const QSettings settings(QStringLiteral("Corvanta"), QStringLiteral("Corvanta"));
    BackupSettings read;
    read.folder = settings.value(QStringLiteral("Backups/Folder")).toString();
    if (read.folder.isEmpty())
        read.folder = defaultFolder();
    read.automatic = settings.value(QStringLiteral("Backups/Enabled"), true).toBool();
    return read;
}

QString BackupSettings::defaultFolder()
{
    return QFileInfo(PersistentContainer::defaultStorePath()).dir().filePath(QStringLiteral("Backups"));
}

namespace Backups {

Result<BackupFile> backUp(const QString& storePath, const QString& folder, const QString& target, const std::atomic<bool>* cancelled)
{
    const QDir into(folder);
    if (target.isEmpty() && !into.mkpath(QStringLiteral(".")))
        return Error{Words::tr("The backups folder could not be created"), QStringLiteral("{path: %1}").arg(folder)};
    const QString path = target.isEmpty() ? freshPath(into) : QFileInfo(target).absoluteFilePath();
    const QString store = QFileInfo(storePath).canonicalFilePath();
    if (!store.isEmpty() && QFileInfo(path).canonicalFilePath() == store)
        return Error{Words::tr("A backup cannot replace the store itself"), QStringLiteral("{path: %1}").arg(path)};
    auto copied = StoreBackup::copy(storePath, path, cancelled);
    if (!copied)
        return copied.error();
    if (target.isEmpty())
        rotate(into);
    return BackupFile{path, QDateTime::currentDateTime(), copied.value()};
}

std::vector<BackupFile> list(const QString& folder)
{
    const QDir from(folder);
    std::vector<BackupFile> found;
    const QStringList names = from.entryList({QStringLiteral("Corvanta-*.sqlite")}, QDir::Files, QDir::Name | QDir::Reversed);
    for (const QString& name : names) {
        const auto time = BackupRotation::timeOf(name);
        if (!time)
            continue;
        auto contents = StoreBackup::inspect(from.filePath(name), StoreBackup::Check::Contents);
        if (contents)
            found.push_back({from.filePath(name), *time, contents.value()});
    }
    return found;
}

Result<Restored> restore(const QString& storePath, const QString& backup, const QString& folder)
{
    if (auto checked = StoreBackup::inspect(backup, StoreBackup::Check::Integrity); !checked)
        return checked.error();
    auto previous = keepCurrentStore(storePath, folder);
    if (!previous)
        return Error{Words::tr("The current store could not be kept first, so nothing was restored (%1)").arg(previous.error().message),
                     previous.error().details};
    auto restored = StoreBackup::restore(backup, storePath);
    if (!restored)
        return restored.error();
    return Restored{restored.value(), previous.value()};
}

Result<AutomaticOutcome> backUpIfChanged(const QString& storePath, const BackupSettings& settings, const std::atomic<bool>* cancelled)
{
    if (!settings.automatic)
        return AutomaticOutcome::Disabled;
    const QDir folder(settings.folder);
    const QStringList names = folder.entryList({QStringLiteral("Corvanta-*.sqlite")}, QDir::Files, QDir::Name | QDir::Reversed);
    const auto newest = std::find_if(names.begin(), names.end(), [](const QString& name) { return BackupRotation::timeOf(name).has_value(); });
    if (newest != names.end()) {
        auto stored = StoreBackup::revision(storePath);
        auto backedUp = StoreBackup::revision(folder.filePath(*newest));
        if (stored && backedUp && stored.value() == backedUp.value())
            return AutomaticOutcome::Unchanged;
    }
    auto taken = backUp(storePath, settings.folder, {}, cancelled);
    if (!taken)
        return taken.error();
    return AutomaticOutcome::Taken;
}

QString timeText(const QDateTime& time) { return time.toString(QStringLiteral("yyyy-MM-dd HH:mm")); }

QString dayText(const std::optional<long long>& date)
{
    if (!date)
        return {};
    return QString::fromStdString(Fmt::isoDay(instantFromMilliseconds(*date)).value_or(std::string()));
}

QString rangeText(const StoreContents& contents)
{
    const QString first = dayText(contents.firstEntryDate);
    const QString last = dayText(contents.lastEntryDate);
    return first.isEmpty() ? QString() : QStringLiteral("%1 – %2").arg(first, last);
}

QString entriesText(long long count) { return count == 1 ? Words::tr("1 entry") : Words::tr("%n entries", nullptr, int(count)); }

QString yearsText(long long count) { return count == 1 ? Words::tr("1 year") : Words::tr("%n years", nullptr, int(count)); }

QString restoreReport(const QString& backup, const Restored& restored)
{
    QString report =
        Words::tr("Restored %1: %2, %3.").arg(backup, entriesText(restored.contents.entries), yearsText(restored.contents.years));
    if (!restored.previous.isEmpty())
        report += Words::tr(" The store as it was is kept in %1.").arg(restored.previous);
    return report;
}

} // namespace Backups
