// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/run_record.h"
#include "platform/clock.h"
#include "shell/analysis_window.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>

namespace {

class StepClock final : public vp::Clock {
public:
    double seconds() const override { return now; }
    QDate today() const override { return {}; }
    double now = 0;
};

// A step of a run with the analysis window open: the step is read at once,
// and the table and plots are redrawn every 25 steps (10 ms a step, four
// redraws a second). The run holds `range` steps already, so that the
// phase portrait has its full load.
void OpenWindowStep(benchmark::State& state)
{
    StepClock clock;
    vp::AnalysisWindow window(clock);
    vp::RunRecord run;
    run.start({});
    std::size_t n = 0;
    auto append = [&] {
        const double t = 0.02 * static_cast<double>(++n);
        run.append({t, 30 * std::exp(-0.01 * t) * std::cos(3.14159 * t), -std::sin(3.14159 * t), 1.0f});
    };
    for (auto i = state.range(0); i > 0; --i)
        append();
    window.show_analysis(run, ",");
    for (auto _ : state) {
        append();
        clock.now += 0.01;
        window.update_analysis(run, ",");
    }
}
BENCHMARK(OpenWindowStep)->Arg(1000)->Arg(100'000);

} // namespace
