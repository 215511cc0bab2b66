#include "model/PersistentContainer.h"

#include "model/store/SqliteContainer.h"

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
    // $XDG_DATA_HOME/Corvanta/Corvanta.sqlite. (AppDataLocation would add the organisation
    // name too, which the application sets to "Corvanta" as well: .../Corvanta/Corvanta/.)
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(QStringLiteral("Corvanta/Corvanta.sqlite"));
}
