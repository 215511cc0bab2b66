#include "automation/WindowService.h"

#include "PortfolioAdaptor.h"
#include "WindowAdaptor.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QThread>

namespace {
struct Words {
    Q_DECLARE_TR_FUNCTIONS(WindowService)
};

Q_LOGGING_CATEGORY(busLog, "corvanta.dbus")

QString text(const char* utf8) { return QString::fromUtf8(utf8); }

// A window that does not answer within this long is taken to be gone.
constexpr int raiseTimeoutMilliseconds = 3000;
// How long a launch waits for the window that holds the name to start answering (it opens
// its store first, which takes seconds on a large store and a loaded machine).
constexpr int startingWindowWaitMilliseconds = 30'000;
constexpr int restoreTimeoutMilliseconds = 10 * 60 * 1000;
} // namespace

WindowService::WindowService(ObjectContext& context, std::function<void()> raise, QObject* parent)
    : QObject(parent), scripting_(context), raise_(std::move(raise))
{
    qDBusRegisterMetaType<QList<QVariantMap>>();
    new PortfolioAdaptor(this);
    new WindowAdaptor(this);
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        qCDebug(busLog, "No session bus: scripting is not available (%s)", qUtf8Printable(bus.lastError().message()));
        return;
    }
    if (!bus.registerObject(text(objectPath), this, QDBusConnection::ExportAdaptors)) {
        qCWarning(busLog, "The object %s could not be registered", objectPath);
        return;
    }
    if (!bus.registerService(text(serviceName))) {
        bus.unregisterObject(text(objectPath));
        qCWarning(busLog, "The name %s is taken: scripting is not available", serviceName);
        return;
    }
    registered_ = true;
}

WindowService::~WindowService()
{
    if (!registered_)
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    bus.unregisterObject(text(objectPath));
    bus.unregisterService(text(serviceName));
}

bool WindowService::raiseRunningWindow()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    QDBusMessage raise = QDBusMessage::createMethodCall(text(serviceName), text(objectPath),
                                                              QStringLiteral("org.corvanta.Corvanta.Window"), QStringLiteral("Raise"));
    raise.setAutoStartService(false); // only a window already running, never one the bus would start
    return bus.call(raise, QDBus::Block, raiseTimeoutMilliseconds).type() == QDBusMessage::ReplyMessage;
}

WindowService::Launch WindowService::claimSessionWindow()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return Launch::OpenWindow;
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        if (bus.registerService(text(serviceName)))
            return Launch::OpenWindow;
        if (raiseRunningWindow())
            return Launch::RaisedOther;
        if (waited.elapsed() > startingWindowWaitMilliseconds)
            return Launch::OtherSilent;
        QThread::msleep(100);
    }
}

std::optional<Result<QString>> WindowService::restoreInRunningWindow(const QString& path)
{
    // A connection of its own, closed before the process goes on to exit: the shared one
    // could still be taking in messages while the process tears down.
    const QString name = QStringLiteral("corvanta-restore");
    const auto ask = [&]() -> std::optional<Result<QString>> {
        QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, name);
        if (!bus.isConnected() || !bus.interface()->isServiceRegistered(text(serviceName)))
            return std::nullopt;
        QDBusMessage restore = QDBusMessage::createMethodCall(text(serviceName), text(objectPath),
                                                              QStringLiteral("org.corvanta.Corvanta.Window"), QStringLiteral("RestoreBackup"));
        restore << path;
        // Backing up and restoring a large store takes a while.
        const QDBusMessage reply = bus.call(restore, QDBus::Block, restoreTimeoutMilliseconds);
        // Qt's bus thread wakes this call before it is done with an error reply (it goes on to
        // post the error to its listeners, as a QDBusError and a QDBusMessage). Were the process
        // to exit meanwhile, those would be built after Qt's type registry is gone: a warning
        // on stderr. One more round trip on this connection waits for the bus thread.
        (void)bus.interface()->isServiceRegistered(text(serviceName));
        if (reply.type() == QDBusMessage::ReplyMessage)
            return Result<QString>(reply.arguments().value(0).toString());
        if (reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.ServiceUnknown"))
            return std::nullopt;
        return Result<QString>(Error{reply.errorMessage(), reply.errorName()});
    };
    auto answered = ask();
    QDBusConnection::disconnectFromBus(name);
    return answered;
}

template <class T>
T WindowService::answer(Result<T> result)
{
    if (result)
        return std::move(result).value();
    refuse(result.error());
    return T{};
}

void WindowService::refuse(const Error& error)
{
    if (calledFromDBus())
        sendErrorReply(error.details, error.message);
    else
        qCWarning(busLog, "%s", qUtf8Printable(error.message));
}

qlonglong WindowService::entryCount() { return answer(scripting_.entryCount()); }

double WindowService::figure(PortfolioScripting::Figure figure) { return answer(scripting_.figure(figure)); }

QList<QVariantMap> WindowService::BalanceEntries() { return answer(scripting_.balanceEntries()); }
QList<QVariantMap> WindowService::BalanceEntriesRange(qlonglong offset, qlonglong count)
{
    return answer(scripting_.balanceEntriesRange(offset, count));
}
QList<QVariantMap> WindowService::TsxYears() { return answer(scripting_.tsxYears()); }
QVariantMap WindowService::BalanceEntryAt(qlonglong index) { return answer(scripting_.balanceEntryAt(index)); }
QVariantMap WindowService::TsxYearAt(qlonglong index) { return answer(scripting_.tsxYearAt(index)); }
QVariantMap WindowService::BalanceEntryByScriptID(const QString& id) { return answer(scripting_.balanceEntryByScriptID(id)); }
QVariantMap WindowService::TsxYearByScriptID(const QString& id) { return answer(scripting_.tsxYearByScriptID(id)); }
QString WindowService::CreateBalanceEntry(const QVariantMap& properties) { return answer(scripting_.createBalanceEntry(properties)); }

void WindowService::RemoveBalanceEntryAt(qlonglong index)
{
    if (auto removed = scripting_.removeBalanceEntryAt(index); !removed)
        refuse(removed.error());
}

void WindowService::Raise()
{
    if (raise_)
        raise_();
}

QString WindowService::RestoreBackup(const QString& path)
{
    if (!restore_) {
        refuse(Error{Words::tr("This window cannot restore backups"), QStringLiteral("org.corvanta.Corvanta.Error.NotSupported")});
        return {};
    }
    return answer(restore_(path));
}
