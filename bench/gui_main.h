#pragma once
// The main of the benchmarks that draw through Qt: fonts and text need a GUI application, and the offscreen
// platform needs no display.

#include <QGuiApplication>
#include <benchmark/benchmark.h>

inline int RunBenchmarksWithGui(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int appArgc = 1;
    QGuiApplication app(appArgc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
