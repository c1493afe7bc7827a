// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/csv_export.h"
#include "analysis/run_record.h"
#include "analysis/swing_analysis.h"

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <cmath>

namespace {

// A damped swing of 2 s sampled 100 times a period, as the run loop would.
vp::RunRow step(std::size_t n)
{
    const double t = 0.02 * static_cast<double>(n);
    const double decay = std::exp(-0.01 * t);
    return {t, 30 * decay * std::cos(3.14159 * t), -1.6 * decay * std::sin(3.14159 * t), 1.0f};
}

// One step of a run: kept, and read by the open analysis.
void KeepAndAnalyseStep(benchmark::State& state)
{
    vp::RunRecord run;
    run.start({});
    vp::SwingAnalysis analysis;
    std::size_t n = 0;
    for (auto _ : state) {
        run.append(step(++n));
        analysis.update(run);
    }
    benchmark::DoNotOptimize(analysis.mean_period());
}
BENCHMARK(KeepAndAnalyseStep);

std::size_t heap_in_use()
{
    const struct mallinfo2 m = mallinfo2();
    return m.uordblks + m.hblkhd;
}

// The longest run: ten million steps kept, the heap they take per step.
void KeepLongRun(benchmark::State& state)
{
    const auto steps = static_cast<std::size_t>(state.range(0));
    double bytes_per_step = 0;
    for (auto _ : state) {
        const std::size_t before = heap_in_use();
        vp::RunRecord run;
        run.start({});
        for (std::size_t n = 1; n <= steps; ++n)
            run.append(step(n));
        bytes_per_step = static_cast<double>(heap_in_use() - before) / static_cast<double>(steps);
        benchmark::DoNotOptimize(run.size());
    }
    state.counters["bytes_per_step"] = bytes_per_step;
}
BENCHMARK(KeepLongRun)->Arg(10'000'000)->Unit(benchmark::kMillisecond)->Iterations(1);

void CsvOfRun(benchmark::State& state)
{
    vp::RunRecord run;
    run.start({});
    for (std::size_t n = 1; n <= 1'000'000; ++n)
        run.append(step(n));
    std::size_t bytes = 0;
    for (auto _ : state)
        vp::write_csv(run, [&bytes](std::string_view piece) { bytes += piece.size(); });
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}
BENCHMARK(CsvOfRun)->Unit(benchmark::kMillisecond);

} // namespace
