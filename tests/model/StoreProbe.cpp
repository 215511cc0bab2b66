// The store in a process of its own, for the tests of what other processes see and do:
//   store_probe                 opens the default store as the application does (the process
//                               ends when it cannot) and prints "opened <entry count>";
//   store_probe <path> <count>  inserts <count> entries into the store at <path> in one save,
//                               printing "saving" just before and "saved" after;
//   store_probe <path> <count> each   the same with one save per entry.
#include "model/PersistenceController.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Corvanta"));
    QCoreApplication::setApplicationName(QStringLiteral("Corvanta"));
    if (argc < 3) {
        const auto count = PersistenceController::shared().container().viewContext().countBalanceEntries();
        std::printf("opened %lld\n", static_cast<long long>(count.ok() ? count.value() : -1));
        return 0;
    }
    auto container = PersistentContainer::open(QString::fromLocal8Bit(argv[1]));
    if (!container) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(container.error().details));
        return 1;
    }
    ObjectContext& context = container.value()->viewContext();
    const bool saveEach = argc > 3 && std::strcmp(argv[3], "each") == 0;
    for (long i = 0, count = std::strtol(argv[2], nullptr, 10); i < count; ++i) {
        auto entry = BalanceEntry::create(context);
        entry->setId(Uuid::random());
        entry->setDate(instantFromMilliseconds(1'600'000'000'000 + i));
        entry->setBalance(static_cast<double>(i));
        entry->setNote(QStringLiteral("written by another process"));
        if (saveEach && !context.save()) {
            std::puts("failed");
            return 1;
        }
    }
    std::puts("saving");
    std::fflush(stdout);
    auto saved = context.save();
    std::puts(saved ? "saved" : "failed");
    return saved ? 0 : 1;
}
