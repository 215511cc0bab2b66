// Launch time of the real binary: from starting the process to its first painted main
// window, with a store of N entries prepared beforehand in a scratch data folder.
#include "QtBenchmarkMain.h"

#include "model/BalanceEntry.h"
#include "model/ObjectContext.h"
#include "model/PersistentContainer.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <chrono>

namespace {

constexpr int processTimeoutMs = 60'000;

// A scratch XDG home for the benchmark and the launched binary alike.
struct ScratchHome {
    QTemporaryDir root;
    ScratchHome()
    {
        for (const char* folder : {"data", "config", "run"})
            QDir(root.path()).mkpath(QLatin1String(folder));
        qputenv("XDG_DATA_HOME", QDir(root.path()).filePath(QStringLiteral("data")).toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", QDir(root.path()).filePath(QStringLiteral("config")).toLocal8Bit());
        qputenv("XDG_RUNTIME_DIR", QDir(root.path()).filePath(QStringLiteral("run")).toLocal8Bit());
        QFile::setPermissions(QDir(root.path()).filePath(QStringLiteral("run")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
};

// Monthly-ish snapshots with a deposit now and then, saved in one transaction.
bool fillStore(std::int64_t count)
{
    auto opened = PersistentContainer::open(PersistentContainer::defaultStorePath());
    if (!opened.ok())
        return false;
    ObjectContext& context = opened.value()->viewContext();
    const Instant start = instantFromMilliseconds(946'684'800'000LL); // 2000-01-01
    for (std::int64_t i = 0; i < count; ++i) {
        const auto entry = BalanceEntry::create(context);
        entry->setId(Uuid::random());
        entry->setDate(start + std::chrono::hours(6 * i));
        entry->setBalance(100'000.0 + 3.5 * double(i));
        entry->setAdjustment(i % 30 == 0 ? 1'000.0 : 0.0);
        entry->setNote(i % 10 == 0 ? std::optional<QString>(QStringLiteral("benchmark")) : std::nullopt);
    }
    return context.save().ok();
}

void BM_LaunchToFirstPaint(benchmark::State& state)
{
    ScratchHome home;
    if (!fillStore(state.range(0))) {
        state.SkipWithError("could not prepare the store");
        return;
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));

    for (auto _ : state) {
        QProcess corvanta;
        corvanta.setProcessEnvironment(environment);
        corvanta.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QElapsedTimer timer;
        timer.start();
        corvanta.start(QStringLiteral(CORVANTA_BINARY), {QStringLiteral("--quit-after-first-paint")});
        bool painted = false;
        while (!painted && corvanta.waitForReadyRead(processTimeoutMs))
            painted = corvanta.readAll().contains("first-paint");
        const auto elapsed = std::chrono::nanoseconds(timer.nsecsElapsed());
        corvanta.waitForFinished(processTimeoutMs);
        if (!painted) {
            state.SkipWithError("the window was never painted");
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(elapsed).count());
    }
}
BENCHMARK(BM_LaunchToFirstPaint)->Arg(100'000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarksInQtApplication<QCoreApplication>(argc, argv);
}
