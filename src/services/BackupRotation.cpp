#include "services/BackupRotation.h"

#include <QRegularExpression>

#include <algorithm>
#include <functional>
#include <set>
#include <utility>
#include <vector>

namespace {
const QString namePattern = QStringLiteral("Corvanta-%1.sqlite");
const QString beforeRestorePattern = QStringLiteral("Corvanta-%1-before-restore.sqlite");
const QString timeFormat = QStringLiteral("yyyy-MM-dd-HHmmss");

struct Dated {
    QDateTime time;
    QString name;
};

// Keeps the newest backup of each of the `periods` latest periods (a period is what `key`
// gives a date). `newestFirst` is sorted newest first.
void keepNewestPerPeriod(const std::vector<Dated>& newestFirst, int periods, const std::function<long long(QDate)>& key,
                         std::set<QString>& kept)
{
    std::set<long long> seen;
    for (const Dated& backup : newestFirst) {
        if (static_cast<int>(seen.size()) == periods)
            break;
        if (seen.insert(key(backup.time.date())).second)
            kept.insert(backup.name);
    }
}
} // namespace

namespace BackupRotation {

QString fileName(const QDateTime& localTime) { return namePattern.arg(localTime.toString(timeFormat)); }

QString beforeRestoreFileName(const QDateTime& localTime) { return beforeRestorePattern.arg(localTime.toString(timeFormat)); }

std::optional<QDateTime> timeOf(const QString& name)
{
    static const QRegularExpression pattern(QStringLiteral("^Corvanta-(\\d{4}-\\d{2}-\\d{2}-\\d{6})(-before-restore)?\\.sqlite$"));
    const QRegularExpressionMatch match = pattern.match(name);
    if (!match.hasMatch())
        return std::nullopt;
    const QDate day = QDate::fromString(match.captured(1).left(10), QStringLiteral("yyyy-MM-dd"));
    const QTime clock = QTime::fromString(match.captured(1).mid(11), QStringLiteral("HHmmss"));
    if (!day.isValid() || !clock.isValid())
        return std::nullopt;
    return QDateTime(day, clock);
}

QStringList expired(const QStringList& fileNames)
{
    std::vector<Dated> backups;
    for (const QString& name : fileNames)
        if (auto time = timeOf(name); time && !name.endsWith(QLatin1String("-before-restore.sqlite")))
            backups.push_back({*time, name});
    std::sort(backups.begin(), backups.end(), [](const Dated& a, const Dated& b) {
        return std::pair(a.time, a.name) > std::pair(b.time, b.name);
    });
    std::set<QString> kept;
    keepNewestPerPeriod(backups, dailyCopies, [](QDate day) { return day.toJulianDay(); }, kept);
    keepNewestPerPeriod(backups, weeklyCopies, [](QDate day) { return day.addDays(1 - day.dayOfWeek()).toJulianDay(); }, kept);
    keepNewestPerPeriod(backups, monthlyCopies, [](QDate day) { return day.year() * 12LL + day.month(); }, kept);
    QStringList doomed;
    for (const Dated& backup : backups)
        if (!kept.count(backup.name))
            doomed << backup.name;
    return doomed;
}

} // namespace BackupRotation
