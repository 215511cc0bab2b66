#include "automation/BackupCommands.h"

#include "automation/ConsoleOutput.h"
#include "automation/JsonOutput.h"
#include "automation/WindowService.h"
#include "model/PersistentContainer.h"
#include "services/Backups.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>

namespace {
struct Words {
    Q_DECLARE_TR_FUNCTIONS(BackupCommands)
};

QString counts(const StoreContents& contents)
{
    return Words::tr("%1, %2", "entries, years").arg(Backups::entriesText(contents.entries), Backups::yearsText(contents.years));
}

int failure(const QString& subcommand, const Error& error)
{
    return ConsoleOutput::failure(QStringLiteral("corvanta %1: %2").arg(subcommand, error.message));
}

// The error of something done with the file the person named, naming it first.
Error aboutFile(const QString& file, const Error& error) { return Error{QStringLiteral("%1: %2").arg(file, error.message), {}}; }

QJsonValue dayOrNull(const std::optional<long long>& date)
{
    const QString day = Backups::dayText(date);
    return day.isEmpty() ? QJsonValue() : QJsonValue(day);
}
} // namespace

namespace BackupCommands {

int backup(const CommandLine& line)
{
    auto taken = Backups::backUp(PersistentContainer::defaultStorePath(), BackupSettings::read().folder, line.file);
    if (!taken)
        return failure(QStringLiteral("backup"), line.file.isEmpty() ? taken.error() : aboutFile(line.file, taken.error()));
    ConsoleOutput::print(taken.value().path + QLatin1Char('\n') + counts(taken.value().contents) + QLatin1Char('\n'));
    return 0;
}

int backups(const CommandLine& line)
{
    const std::vector<BackupFile> found = Backups::list(BackupSettings::read().folder);
    if (line.json) {
        QJsonArray array;
        for (const BackupFile& backup : found)
            array.append(QJsonObject{
                {QStringLiteral("path"), backup.path},
                {QStringLiteral("time"), backup.time.toOffsetFromUtc(backup.time.offsetFromUtc()).toString(Qt::ISODate)},
                {QStringLiteral("entries"), backup.contents.entries},
                {QStringLiteral("years"), backup.contents.years},
                {QStringLiteral("firstEntryDay"), dayOrNull(backup.contents.firstEntryDate)},
                {QStringLiteral("lastEntryDay"), dayOrNull(backup.contents.lastEntryDate)},
            });
        return JsonOutput::print(array);
    }
    QString text;
    for (const BackupFile& backup : found)
        text += QStringLiteral("%1\t%2\t%3\t%4\n").arg(Backups::timeText(backup.time), counts(backup.contents), Backups::rangeText(backup.contents), backup.path);
    ConsoleOutput::print(text);
    return 0;
}

int restore(const CommandLine& line)
{
    const QString path = QFileInfo(line.file).absoluteFilePath();
    auto checked = StoreBackup::inspect(path, StoreBackup::Check::Integrity);
    if (!checked)
        return failure(QStringLiteral("restore"), aboutFile(line.file, checked.error()));
    // The window holding the store restores it itself, so that it reloads and nothing it
    // holds is lost; without one the store is replaced here.
    if (auto answered = WindowService::restoreInRunningWindow(path)) {
        if (!answered->ok())
            return failure(QStringLiteral("restore"), answered->error());
        ConsoleOutput::print(answered->value() + QLatin1Char('\n'));
        return 0;
    }
    auto restored = Backups::restore(PersistentContainer::defaultStorePath(), path, BackupSettings::read().folder);
    if (!restored)
        return failure(QStringLiteral("restore"), restored.error());
    ConsoleOutput::print(Backups::restoreReport(path, restored.value()) + QLatin1Char('\n'));
    return 0;
}

} // namespace BackupCommands
