// Which backups the rotation keeps: a year of daily launches, and names that are not its own.
#include "services/BackupRotation.h"

#include <gmock/gmock.h>

namespace {

TEST(BackupRotationTest, AYearOfDailyLaunchesKeepsSevenDaysFourWeeksAndTwelveMonths)
{
    const QStringList foreign = {QStringLiteral("Corvanta.sqlite"), QStringLiteral("Corvanta-2026-01-01-090000.sqlite.partial"),
                                 QStringLiteral("Corvanta-unreadable-2026-01-01-090000.sqlite"),
                                 QStringLiteral("Corvanta-2026-01-01-090000-before-restore.sqlite"),
                                 QStringLiteral("Corvanta-2026-02-30-090000.sqlite"), QStringLiteral("my-copy.sqlite")};
    QStringList folder = foreign;
    for (QDate day(2026, 1, 1); day.year() == 2026; day = day.addDays(1)) {
        folder << BackupRotation::fileName(QDateTime(day, QTime(9, 0, 30)));
        for (const QString& name : BackupRotation::expired(folder))
            folder.removeOne(name);
    }
    QStringList kept;
    for (const char* day : {"01-31", "02-28", "03-31", "04-30", "05-31", "06-30", "07-31", "08-31", "09-30", "10-31", "11-30", // months
                            "12-13", "12-20",                                                                             // weeks
                            "12-25", "12-26", "12-27", "12-28", "12-29", "12-30", "12-31"})                               // days
        kept << QStringLiteral("Corvanta-2026-%1-090030.sqlite").arg(QLatin1String(day));
    EXPECT_THAT(folder, ::testing::UnorderedElementsAreArray(foreign + kept));
}

TEST(BackupRotationTest, NamesAndTimesRoundTripOnlyForItsOwnPattern)
{
    const QDateTime time(QDate(2026, 6, 4), QTime(9, 30, 5));
    EXPECT_EQ(BackupRotation::fileName(time), QStringLiteral("Corvanta-2026-06-04-093005.sqlite"));
    EXPECT_EQ(BackupRotation::timeOf(BackupRotation::fileName(time)), time);
    for (const char* name : {"Corvanta-2026-06-04-093005.sqlite.partial", "corvanta-2026-06-04-093005.sqlite",
                             "Corvanta-2026-13-04-093005.sqlite", "Corvanta-2026-06-04-253005.sqlite", "Corvanta-2026-06-04.sqlite"})
        EXPECT_FALSE(BackupRotation::timeOf(QString::fromUtf8(name))) << name;
}

} // namespace
