// Another process writing to a store: `store_write_probe <path> <count>` inserts <count> entries
// and saves them in one save, printing "saving" just before and "saved" after.
#include "model/PersistentContainer.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3)
        return 2;
    auto container = PersistentContainer::open(QString::fromLocal8Bit(argv[1]));
    if (!container) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(container.error().details));
        return 1;
    }
    ObjectContext& context = container.value()->viewContext();
    const long count = std::strtol(argv[2], nullptr, 10);
    for (long i = 0; i < count; ++i) {
        auto entry = BalanceEntry::create(context);
        entry->setId(Uuid::random());
        entry->setDate(instantFromMilliseconds(1'600'000'000'000 + i));
        entry->setBalance(static_cast<double>(i));
        entry->setNote(QStringLiteral("written by another process"));
    }
    std::puts("saving");
    std::fflush(stdout);
    auto saved = context.save();
    std::puts(saved ? "saved" : "failed");
    return saved ? 0 : 1;
}
