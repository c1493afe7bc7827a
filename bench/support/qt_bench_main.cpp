// SPDX-License-Identifier: GPL-3.0-or-later
// main() of the benchmarks that need widgets: a headless application unless
// a platform is chosen (run under xvfb-run with QT_QPA_PLATFORM=xcb to count
// the X server's part), then every benchmark.
#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
