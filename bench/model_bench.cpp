// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/characteristics.h"
#include "model/run_check.h"
#include "model/runge_kutta.h"
#include "model/stable_step.h"
#include "tests/support/default_lab.h"
#include "texts/characteristic_table.h"

#include <benchmark/benchmark.h>

namespace {

using Defaults = vp::testing::DefaultLab;

void RungeKuttaStep(benchmark::State& state)
{
    Defaults d;
    const vp::MotionCoefficients k{d.c.W02, d.c.delta, d.c.fi_2_x};
    vp::RunState s;
    vp::start_run(s, d.c.fi0_rad, d.p.wz0);
    for (auto _ : state) {
        vp::runge_kutta_step(s, k, d.c.shag);
        benchmark::DoNotOptimize(s);
    }
}
BENCHMARK(RungeKuttaStep);

// A step as a run takes it: the check of the run, the stability check, the
// step itself (a single one at the defaults) and the energy. Beside
// RungeKuttaStep it shows what the checks cost.
void CheckedStep(benchmark::State& state)
{
    Defaults d;
    const vp::MotionCoefficients k{d.c.W02, d.c.delta, d.c.fi_2_x};
    vp::RunState s;
    vp::start_run(s, d.c.fi0_rad, d.p.wz0);
    for (auto _ : state) {
        benchmark::DoNotOptimize(vp::run_refusal(d.p, d.c));
        vp::integration_step(s, k, d.c.shag);
        s.W_poln = vp::total_energy(d.c.MI, d.c.Mm_L, s.fi_new, s.wz_new);
        benchmark::DoNotOptimize(s);
    }
}
BENCHMARK(CheckedStep);

void Parametr(benchmark::State& state)
{
    Defaults d;
    for (auto _ : state) {
        vp::parametr(d.p, d.run.n_tochek, d.c);
        benchmark::DoNotOptimize(d.c);
    }
}
BENCHMARK(Parametr);

void ParametrWithCaptions(benchmark::State& state)
{
    Defaults d;
    for (auto _ : state) {
        vp::parametr(d.p, d.run.n_tochek, d.c);
        auto captions = vp::characteristic_captions(d.p, d.c, ".");
        benchmark::DoNotOptimize(captions);
    }
}
BENCHMARK(ParametrWithCaptions);

} // namespace
