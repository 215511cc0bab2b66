#include "model/PersistenceController.h"

#include <QCoreApplication>

#include <atomic>
#include <cstdio>
#include <cstdlib>

namespace {
PersistenceController::FatalPresenter& fatalPresenter()
{
    static PersistenceController::FatalPresenter presenter;
    return presenter;
}

// The one failure that ends the process: without its store the application has nothing to
// show. One plain line on stderr, the presenter's word to a person if one is set, then a
// failing exit status.
[[noreturn]] void stopWithStoreError(const Error& error)
{
    const QString message = QStringLiteral("Unresolved Core Data error %1, %2").arg(error.message, error.details);
    std::fputs((message + QLatin1Char('\n')).toUtf8().constData(), stderr);
    std::fflush(stderr);
    if (fatalPresenter())
        fatalPresenter()(message, PersistentContainer::defaultStorePath());
    std::exit(EXIT_FAILURE);
}
} // namespace

void PersistenceController::setFatalPresenter(FatalPresenter presenter) { fatalPresenter() = std::move(presenter); }

namespace {
std::atomic<PersistenceController*> sharedInstance = nullptr;

// Closing the last connection copies the write-ahead log into the store file and removes the
// log: the .sqlite file alone then holds everything (a backup of it is complete), and logs
// of short-lived processes do not pile up.
void closeShared() { delete sharedInstance.exchange(nullptr); }
} // namespace

PersistenceController& PersistenceController::shared()
{
    // Built on first use (thread-safe static initialisation). Closed as the application
    // object goes (its objects are gone by then), or at exit when there is none.
    static PersistenceController* const instance = [] {
        auto* made = new PersistenceController(false);
        sharedInstance = made;
        if (QCoreApplication::instance())
            qAddPostRoutine(closeShared);
        std::atexit(closeShared);
        return made;
    }();
    return *instance;
}

PersistenceController::PersistenceController(bool inMemory)
{
    auto opened = inMemory ? PersistentContainer::openInMemory() : PersistentContainer::open(PersistentContainer::defaultStorePath());
    if (!opened)
        stopWithStoreError(opened.error());
    container_ = std::move(opened).value();
}
