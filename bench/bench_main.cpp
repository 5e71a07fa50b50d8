// Shared main of the benchmark programs: a headless application around Google Benchmark.
#include "platform/heap_policy.h"

#include <QApplication>
#include <benchmark/benchmark.h>

int main(int argc, char** argv) {
    // As the program itself does at start-up, so the figures are the program's.
    platform::keepPictureBuffersInHeap();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
