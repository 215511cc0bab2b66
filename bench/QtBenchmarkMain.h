#pragma once

#include <QCoreApplication>
#include <QString>
#include <benchmark/benchmark.h>

// main() of every benchmark program: the registered benchmarks run inside a Qt application
// of type `Application` (QCoreApplication for store and file work, QApplication for widgets,
// on the offscreen platform unless QT_QPA_PLATFORM says otherwise), named as the real
// application is, so that settings and signals behave as they do in Corvanta.
template <class Application>
int runBenchmarksInQtApplication(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Application application(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Corvanta"));
    QCoreApplication::setApplicationName(QStringLiteral("Corvanta"));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
