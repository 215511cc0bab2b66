#include "model/PersistentContainer.h"

#include "model/SqliteContainer.h"

#include <QDir>
#include <QStandardPaths>

Result<std::unique_ptr<PersistentContainer>> PersistentContainer::open(const QString& path)
{
    return SqliteContainer::open(StoreLocation::file(path));
}

Result<std::unique_ptr<PersistentContainer>> PersistentContainer::openInMemory()
{
    return SqliteContainer::open(StoreLocation::freshMemory());
}

QString PersistentContainer::defaultStorePath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).filePath(QStringLiteral("Corvanta.sqlite"));
}
