// The application's real store-opening path in a process of its own, for the tests of what
// happens when the store cannot be opened (the process ends). With --path it only prints where
// the store lives.
#include "model/PersistenceController.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Corvanta"));
    QCoreApplication::setApplicationName(QStringLiteral("Corvanta"));
    if (app.arguments().contains(QStringLiteral("--path"))) {
        std::puts(qUtf8Printable(PersistentContainer::defaultStorePath()));
        return 0;
    }
    const auto count = PersistenceController::shared().container().viewContext().countBalanceEntries();
    std::printf("opened %lld\n", static_cast<long long>(count.ok() ? count.value() : -1));
    return 0;
}
