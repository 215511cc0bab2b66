// Launch time of the real binary: from starting the process to its first painted main
// window, with a store of N entries prepared beforehand in a scratch data folder.
#include "QtBenchmarkMain.h"
#include "ScratchStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <chrono>

namespace {

constexpr int processTimeoutMs = 60'000;

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
