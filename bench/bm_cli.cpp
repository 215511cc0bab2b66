// The command line and the D-Bus interface as a user meets them: whole `corvanta` processes,
// and one property read from the running window, against a store of N entries.
#include "QtBenchmarkMain.h"
#include "ScratchStore.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>


namespace {

constexpr int processTimeoutMs = 120'000;

// One scratch store of N entries for every benchmark of the program (filling it is slow). A
// million entries a quarter of an hour apart span 2000 to 2028, the years a real portfolio
// covers (six hours apart they would reach the 27th century, where the analytics' fast
// local-day table ends and each day is asked of the ICU calendar).
bool prepareStore(std::int64_t count)
{
    static std::unique_ptr<ScratchHome> home;
    static std::int64_t filled = -1;
    if (filled == count)
        return true;
    home = std::make_unique<ScratchHome>();
    filled = fillStore(count, std::chrono::minutes(15)) ? count : -1;
    return filled == count;
}

QProcessEnvironment corvantaEnvironment()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    return environment;
}

// Wall time of `corvanta arguments...` from start to exit.
void runWholeProcess(benchmark::State& state, const QStringList& arguments)
{
    if (!prepareStore(state.range(0))) {
        state.SkipWithError("could not prepare the store");
        return;
    }
    const QProcessEnvironment environment = corvantaEnvironment();
    for (auto _ : state) {
        QProcess corvanta;
        corvanta.setProcessEnvironment(environment);
        QElapsedTimer timer;
        timer.start();
        corvanta.start(QStringLiteral(CORVANTA_BINARY), arguments);
        const bool finished = corvanta.waitForFinished(processTimeoutMs);
        const auto elapsed = std::chrono::nanoseconds(timer.nsecsElapsed());
        if (!finished || corvanta.exitCode() != 0) {
            state.SkipWithError(corvanta.readAllStandardError().constData());
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(elapsed).count());
    }
}

void BM_CliAdd(benchmark::State& state)
{
    runWholeProcess(state, {QStringLiteral("add"), QStringLiteral("--balance"), QStringLiteral("1234.5")});
}
BENCHMARK(BM_CliAdd)->Arg(1'000'000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

// `corvanta entries --json` with its output discarded: wall time, and the process's peak
// resident memory and CPU time as counters. They are read through /usr/bin/time, which starts
// corvanta from its own small process: a child spawned from this one would report this
// process's peak (the million entries it filled the store with) as its own, since the kernel
// carries the high-water mark of the memory a process had before exec into its maxrss.
void BM_CliEntriesJson(benchmark::State& state)
{
    if (!prepareStore(state.range(0))) {
        state.SkipWithError("could not prepare the store");
        return;
    }
    QTemporaryDir scratch;
    const QString usageFile = scratch.filePath(QStringLiteral("usage"));
    double peakMegabytes = 0;
    double cpuSeconds = 0;
    for (auto _ : state) {
        QProcess time;
        time.setProcessEnvironment(corvantaEnvironment());
        time.setStandardOutputFile(QProcess::nullDevice());
        QElapsedTimer timer;
        timer.start();
        time.start(QStringLiteral("/usr/bin/time"), {QStringLiteral("-f"), QStringLiteral("%M %U %S"), QStringLiteral("-o"), usageFile,
                                                     QStringLiteral(CORVANTA_BINARY), QStringLiteral("entries"), QStringLiteral("--json")});
        const bool finished = time.waitForFinished(processTimeoutMs);
        const auto elapsed = std::chrono::nanoseconds(timer.nsecsElapsed());
        QFile usage(usageFile);
        const QStringList figures = usage.open(QIODevice::ReadOnly) ? QString::fromUtf8(usage.readAll()).split(QLatin1Char(' ')) : QStringList();
        if (!finished || time.exitCode() != 0 || figures.size() != 3) {
            state.SkipWithError("corvanta entries --json failed (or /usr/bin/time is missing)");
            break;
        }
        state.SetIterationTime(std::chrono::duration<double>(elapsed).count());
        peakMegabytes = std::max(peakMegabytes, figures[0].toDouble() / 1024.0);
        cpuSeconds += figures[1].toDouble() + figures[2].toDouble();
    }
    state.counters["peak_rss_MB"] = peakMegabytes;
    state.counters["cpu_s"] = benchmark::Counter(cpuSeconds, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_CliEntriesJson)->Arg(1'000'000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_CliSummary(benchmark::State& state) { runWholeProcess(state, {QStringLiteral("summary")}); }
BENCHMARK(BM_CliSummary)->Arg(1'000'000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

// A private session bus and a window on it, for as long as it lives.
class WindowOnPrivateBus {
public:
    bool start()
    {
        bus_.start(QStringLiteral("dbus-daemon"), {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
        if (!bus_.waitForReadyRead(10'000))
            return false;
        const QString address = QString::fromUtf8(bus_.readLine()).trimmed();
        QProcessEnvironment environment = corvantaEnvironment();
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), address);
        window_.setProcessEnvironment(environment);
        window_.start(QStringLiteral(CORVANTA_BINARY), {});
        connection_ = std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(address, QStringLiteral("bench")));
        // Until the window has loaded its entries and answers.
        for (int waited = 0; waited < processTimeoutMs; waited += 100) {
            if (read().type() == QDBusMessage::ReplyMessage)
                return settled();
            QThread::msleep(100);
        }
        return false;
    }

    // Until the window has also built what it builds after its first paint (the other tabs):
    // the first call measured must not carry that.
    bool settled() const
    {
        double before = mainThreadCpuMilliseconds();
        for (int waited = 0; waited < processTimeoutMs; waited += 200) {
            QThread::msleep(200);
            const double now = mainThreadCpuMilliseconds();
            if (now - before < 2)
                return true;
            before = now;
        }
        return false;
    }

    QDBusMessage read() const
    {
        return call(QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"),
                    {QStringLiteral("org.corvanta.Corvanta.Portfolio"), QStringLiteral("EntryCount")});
    }

    // Time the window's main thread has been on a CPU, in milliseconds (from the scheduler's
    // statistics, in nanoseconds): what a call costs the window, whatever the machine's load.
    double mainThreadCpuMilliseconds() const
    {
        QFile schedstat(QStringLiteral("/proc/%1/schedstat").arg(window_.processId()));
        if (!schedstat.open(QIODevice::ReadOnly))
            return 0;
        return QString::fromLatin1(schedstat.readAll()).section(QLatin1Char(' '), 0, 0).toDouble() / 1e6;
    }

    QDBusMessage call(const QString& interface, const QString& method, const QVariantList& arguments) const
    {
        QDBusMessage message = QDBusMessage::createMethodCall(QStringLiteral("org.corvanta.Corvanta"), QStringLiteral("/org/corvanta/Corvanta"),
                                                              interface, method);
        message.setArguments(arguments);
        return connection_->call(message, QDBus::Block, processTimeoutMs);
    }

    ~WindowOnPrivateBus()
    {
        window_.terminate();
        window_.waitForFinished(10'000);
        connection_.reset();
        QDBusConnection::disconnectFromBus(QStringLiteral("bench"));
        bus_.terminate();
        bus_.waitForFinished(10'000);
    }

private:
    QProcess bus_;
    QProcess window_;
    std::unique_ptr<QDBusConnection> connection_;
};

std::unique_ptr<WindowOnPrivateBus> sharedWindow;

// The window on the scratch store of N entries, one for every D-Bus benchmark (starting it on a
// million entries takes seconds); closed with the Qt application.
const WindowOnPrivateBus* windowOn(std::int64_t count)
{
    static std::int64_t served = -1;
    if (sharedWindow && served == count)
        return sharedWindow.get();
    if (!sharedWindow)
        qAddPostRoutine([] { sharedWindow.reset(); });
    sharedWindow.reset();
    if (!prepareStore(count))
        return nullptr;
    sharedWindow = std::make_unique<WindowOnPrivateBus>();
    if (!sharedWindow->start()) {
        sharedWindow.reset();
        return nullptr;
    }
    served = count;
    return sharedWindow.get();
}

QDBusMessage portfolio(const WindowOnPrivateBus& window, const char* method, const QVariantList& arguments = {})
{
    return window.call(QStringLiteral("org.corvanta.Corvanta.Portfolio"), QLatin1String(method), arguments);
}

QDBusMessage property(const WindowOnPrivateBus& window, const char* name)
{
    return window.call(QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"),
                       {QStringLiteral("org.corvanta.Corvanta.Portfolio"), QLatin1String(name)});
}

// An entry dated after every entry of the scratch store, so that it is the last by date.
QDBusMessage createLastEntry(const WindowOnPrivateBus& window)
{
    return portfolio(window, "CreateBalanceEntry", {QVariantMap{{QStringLiteral("date"), QStringLiteral("2040-01-01")}, {QStringLiteral("balance"), 1.0}}});
}

QDBusMessage removeLastEntry(const WindowOnPrivateBus& window, qlonglong count)
{
    return portfolio(window, "RemoveBalanceEntryAt", {count});
}

// One D-Bus call as a script makes it, timed, with what must happen untimed before it (so
// that a call that changes the store leaves it as it found it) and the error it answers by
// design (the reply otherwise).
struct WindowCall {
    const char* name;
    std::function<QDBusMessage(const WindowOnPrivateBus&, qlonglong entries)> call;
    std::function<void(const WindowOnPrivateBus&, qlonglong entries)> before = {};
    std::function<void(const WindowOnPrivateBus&, qlonglong entries)> after = {};
    const char* expectedError = nullptr;
};

void measureWindowCall(benchmark::State& state, const WindowCall& measured)
{
    const WindowOnPrivateBus* window = windowOn(state.range(0));
    if (!window) {
        state.SkipWithError("the window did not answer on its bus");
        return;
    }
    const qlonglong entries = state.range(0);
    double windowCpu = 0;
    for (auto _ : state) {
        if (measured.before)
            measured.before(*window, entries);
        const double cpuBefore = window->mainThreadCpuMilliseconds();
        QElapsedTimer timer;
        timer.start();
        const QDBusMessage reply = measured.call(*window, entries);
        const auto elapsed = std::chrono::nanoseconds(timer.nsecsElapsed());
        window->read(); // its answer comes once the window has done what the call set off
        windowCpu += window->mainThreadCpuMilliseconds() - cpuBefore;
        const bool expected = measured.expectedError ? reply.errorName() == QLatin1String(measured.expectedError)
                                                     : reply.type() == QDBusMessage::ReplyMessage;
        if (!expected) {
            state.SkipWithError((reply.errorName() + QStringLiteral(": ") + reply.errorMessage()).toUtf8().constData());
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(elapsed).count());
        if (measured.after)
            measured.after(*window, entries);
    }
    state.counters["window_cpu_ms"] = benchmark::Counter(windowCpu, benchmark::Counter::kAvgIterations);
}

// Every call of the interface at N entries. RestoreBackup is left out: it replaces the whole
// store and the window reloads it, the one call that is a long operation by nature.
const WindowCall windowCalls[] = {
    {"BM_DbusEntryCount", [](auto& window, qlonglong) { return window.read(); }},
    // A figure right after a change, when it is computed anew.
    {"BM_DbusCurrentValueAfterChange", [](auto& window, qlonglong) { return property(window, "CurrentValue"); },
     [](auto& window, qlonglong entries) {
         createLastEntry(window);
         removeLastEntry(window, entries);
     }},
    {"BM_DbusGetAllProperties",
     [](auto& window, qlonglong) {
         return window.call(QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("GetAll"), {QStringLiteral("org.corvanta.Corvanta.Portfolio")});
     }},
    {"BM_DbusBalanceEntriesTooLarge", [](auto& window, qlonglong) { return portfolio(window, "BalanceEntries"); }, {}, {},
     "org.corvanta.Corvanta.Error.TooLarge"},
    // 1,000 entries from the middle of the date order.
    {"BM_DbusBalanceEntriesRange", [](auto& window, qlonglong entries) { return portfolio(window, "BalanceEntriesRange", {entries / 2, qlonglong(1000)}); }},
    {"BM_DbusBalanceEntryAt", [](auto& window, qlonglong entries) { return portfolio(window, "BalanceEntryAt", {entries / 2}); }},
    // The last entry's id: the lookup walks every entry before it.
    {"BM_DbusBalanceEntryByScriptID",
     [](auto& window, qlonglong entries) {
         static const QVariant lastID =
             qdbus_cast<QVariantMap>(portfolio(window, "BalanceEntryAt", {entries - 1}).arguments().value(0)).value(QStringLiteral("scriptID"));
         return portfolio(window, "BalanceEntryByScriptID", {lastID});
     }},
    {"BM_DbusTsxYears", [](auto& window, qlonglong) { return portfolio(window, "TsxYears"); }},
    {"BM_DbusCreateBalanceEntry", [](auto& window, qlonglong) { return createLastEntry(window); }, {},
     [](auto& window, qlonglong entries) { removeLastEntry(window, entries); }},
    {"BM_DbusRemoveBalanceEntryAt", [](auto& window, qlonglong entries) { return removeLastEntry(window, entries); },
     [](auto& window, qlonglong) { createLastEntry(window); }},
    {"BM_DbusRaise", [](auto& window, qlonglong) { return window.call(QStringLiteral("org.corvanta.Corvanta.Window"), QStringLiteral("Raise"), {}); }},
};

const bool windowCallsRegistered = [] {
    for (const WindowCall& call : windowCalls)
        benchmark::RegisterBenchmark(call.name, measureWindowCall, call)
            ->Arg(1'000'000)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond)
            ->Iterations(20);
    return true;
}();

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarksInQtApplication<QCoreApplication>(argc, argv);
}
