// The command line and the D-Bus interface as a user meets them: whole `corvanta` processes,
// and one property read from the running window, against a store of N entries.
#include "QtBenchmarkMain.h"
#include "ScratchStore.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

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
// resident memory and CPU time as counters (from wait4, so nothing else is counted).
void BM_CliEntriesJson(benchmark::State& state)
{
    if (!prepareStore(state.range(0))) {
        state.SkipWithError("could not prepare the store");
        return;
    }
    char program[] = CORVANTA_BINARY;
    char subcommand[] = "entries";
    char json[] = "--json";
    char* arguments[] = {program, subcommand, json, nullptr};
    posix_spawn_file_actions_t discardOutput;
    posix_spawn_file_actions_init(&discardOutput);
    posix_spawn_file_actions_addopen(&discardOutput, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    long peakKilobytes = 0;
    double cpuSeconds = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        pid_t child = 0;
        int status = 0;
        rusage usage{};
        if (posix_spawn(&child, program, &discardOutput, nullptr, arguments, environ) != 0 || wait4(child, &status, 0, &usage) != child
            || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("corvanta entries --json failed");
            break;
        }
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::nanoseconds(timer.nsecsElapsed())).count());
        peakKilobytes = std::max(peakKilobytes, usage.ru_maxrss);
        cpuSeconds += double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    }
    posix_spawn_file_actions_destroy(&discardOutput);
    state.counters["peak_rss_MB"] = double(peakKilobytes) / 1024.0;
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
                return true;
            QThread::msleep(100);
        }
        return false;
    }

    QDBusMessage read() const
    {
        return call(QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"),
                    {QStringLiteral("org.corvanta.Corvanta.Portfolio"), QStringLiteral("EntryCount")});
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

// Wall time of one call to the window started on a store of N entries.
void measureWindowCall(benchmark::State& state, const std::function<QDBusMessage(const WindowOnPrivateBus&)>& call)
{
    if (!prepareStore(state.range(0))) {
        state.SkipWithError("could not prepare the store");
        return;
    }
    WindowOnPrivateBus window;
    if (!window.start()) {
        state.SkipWithError("the window did not answer on its bus");
        return;
    }
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        const QDBusMessage reply = call(window);
        const auto elapsed = std::chrono::nanoseconds(timer.nsecsElapsed());
        if (reply.type() != QDBusMessage::ReplyMessage) {
            state.SkipWithError(reply.errorMessage().toUtf8().constData());
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(elapsed).count());
    }
}

void BM_DbusEntryCount(benchmark::State& state)
{
    measureWindowCall(state, [](const WindowOnPrivateBus& window) { return window.read(); });
}
BENCHMARK(BM_DbusEntryCount)->Arg(1'000'000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(50);

// 1,000 entries from the middle of the date order.
void BM_DbusBalanceEntriesRange(benchmark::State& state)
{
    const qlonglong middle = state.range(0) / 2;
    measureWindowCall(state, [middle](const WindowOnPrivateBus& window) {
        return window.call(QStringLiteral("org.corvanta.Corvanta.Portfolio"), QStringLiteral("BalanceEntriesRange"), {middle, qlonglong(1000)});
    });
}
BENCHMARK(BM_DbusBalanceEntriesRange)->Arg(1'000'000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarksInQtApplication<QCoreApplication>(argc, argv);
}
