#pragma once

#include "widgets/Resources.h"
#include "widgets/WindowLook.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace tiravo {

// The entry of a benchmark that needs windows: an offscreen application set
// up as the program sets up its own, then the registered benchmarks.
inline int RunQtBenchmarks(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName("Tiravo");
    InstallFontSubstitutes();
    InitResources();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace tiravo
