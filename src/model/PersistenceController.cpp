#include "model/PersistenceController.h"

#include <cstdio>
#include <cstdlib>

namespace {
// The one failure that ends the process: without its store the application has nothing to
// show. One plain line on stderr, then a failing exit status.
[[noreturn]] void stopWithStoreError(const Error& error)
{
    const QByteArray line = QStringLiteral("Unresolved Core Data error %1, %2\n").arg(error.message, error.details).toUtf8();
    std::fputs(line.constData(), stderr);
    std::fflush(stderr);
    std::exit(EXIT_FAILURE);
}
} // namespace

PersistenceController& PersistenceController::shared()
{
    // Built on first use (thread-safe static initialisation) and never destroyed: the store
    // stays open for the life of the process, past the application object.
    static PersistenceController* instance = new PersistenceController(false);
    return *instance;
}

PersistenceController::PersistenceController(bool inMemory)
{
    auto opened = inMemory ? PersistentContainer::openInMemory() : PersistentContainer::open(PersistentContainer::defaultStorePath());
    if (!opened)
        stopWithStoreError(opened.error());
    container_ = std::move(opened).value();
}
