#pragma once
// The main of a benchmark program that needs a Qt application object (offscreen widgets).

#include <QByteArray>

#include <benchmark/benchmark.h>

template <class TApp> int RunQtBenchmarks(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    TApp application(qtArgc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
