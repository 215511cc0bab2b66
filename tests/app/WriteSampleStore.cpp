// write_sample_store <csv>: fills the store in $XDG_DATA_HOME with the rows of a simple CSV
// (Date,Balance,Adjustment,Transfers,Note; no quoted fields), for screenshots. Not a test.
#include "analytics/Fmt.h"
#include "model/BalanceEntry.h"
#include "model/ObjectContext.h"
#include "model/PersistentContainer.h"

#include <QCoreApplication>
#include <QFile>
#include <QSettings>
#include <QTextStream>

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
    QFile csv(QString::fromLocal8Bit(argv[1]));
    if (!csv.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "write_sample_store: cannot read %s\n", argv[1]);
        return 1;
    }
    auto opened = PersistentContainer::open(PersistentContainer::defaultStorePath());
    if (!opened.ok()) {
        std::fprintf(stderr, "write_sample_store: %s\n", qPrintable(opened.error().message));
        return 1;
    }
    ObjectContext& context = opened.value()->viewContext();
    QTextStream lines(&csv);
    lines.readLine(); // header
    while (!lines.atEnd()) {
        const QStringList fields = lines.readLine().split(QLatin1Char(','));
        if (fields.size() < 5)
            continue;
        const auto number = [&](int column) { return Fmt::finiteNumber(fields[column].toStdString()).value_or(0); };
        const auto entry = BalanceEntry::create(context);
        entry->setId(Uuid::random());
        entry->setDate(Fmt::parseDay(fields[0].toStdString()));
        entry->setBalance(number(1));
        entry->setAdjustment(number(2));
        entry->setTransfers(number(3));
        entry->setNote(fields[4]);
    }
    if (const auto saved = context.save(); !saved.ok()) {
        std::fprintf(stderr, "write_sample_store: %s\n", qPrintable(saved.error().message));
        return 1;
    }
    // The store is no longer empty, so the first launch will not seed; say so up front too.
    QSettings().setValue(QStringLiteral("didSeedInitialData_v1"), true);
    return 0;
}
