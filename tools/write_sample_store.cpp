// write_sample_store <csv>: fills the store in $XDG_DATA_HOME with the rows of a CSV file,
// imported as the application imports one, for screenshots.
#include "model/PersistentContainer.h"
#include "services/CsvActions.h"

#include <QCoreApplication>
#include <QSettings>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Corvanta"));
    QCoreApplication::setApplicationName(QStringLiteral("Corvanta"));
    if (argc != 2) {
        std::fprintf(stderr, "usage: write_sample_store <csv>\n");
        return 2;
    }
    auto opened = PersistentContainer::open(PersistentContainer::defaultStorePath());
    if (!opened.ok()) {
        std::fprintf(stderr, "write_sample_store: %s\n", qPrintable(opened.error().message));
        return 1;
    }
    const CsvActions::ImportOutcome outcome = CsvActions::importFile(opened.value()->viewContext(), QString::fromLocal8Bit(argv[1]));
    if (!outcome.imported || *outcome.imported == 0) {
        std::fprintf(stderr, "write_sample_store: %s %s\n", qPrintable(outcome.alert.messageText), qPrintable(outcome.alert.informativeText));
        return 1;
    }
    // The store is no longer empty, so the first launch will not seed; say so up front too.
    QSettings().setValue(QStringLiteral("didSeedInitialData_v1"), true);
    return 0;
}
