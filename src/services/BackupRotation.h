#pragma once

#include <QDateTime>
#include <QStringList>

#include <optional>

// The names of the backups in the backups folder and which of them to keep: a pure function
// of the names (the time in a name is local time, as the backup was taken).
namespace BackupRotation {

inline constexpr int dailyCopies = 7;
inline constexpr int weeklyCopies = 4;
inline constexpr int monthlyCopies = 12;

// "Corvanta-2026-06-04-093000.sqlite"
QString fileName(const QDateTime& localTime);
// "Corvanta-2026-06-04-093000-before-restore.sqlite": the store as it was before a restore,
// which rotation never deletes (it would otherwise go with the next backup of the same day).
QString beforeRestoreFileName(const QDateTime& localTime);
// The time a name of either pattern stands for; nothing for any other name.
std::optional<QDateTime> timeOf(const QString& fileName);

// The names of the first pattern to delete: all but the newest of each of the 7 latest days, of
// each of the 4 latest weeks (ISO weeks, from Monday) and of each of the 12 latest months
// that hold a backup. Other names are never among them.
QStringList expired(const QStringList& fileNames);

} // namespace BackupRotation
