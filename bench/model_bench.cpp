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

// A display step in the thickest media and at the stiffest start: the
// work a step may take whatever the inputs. Arguments: the viscosity in
// Pa*s and the starting angular velocity in rad/s. Each iteration takes the
// run's first step afresh, the one with the fast mode still in it.
void StiffFirstStep(benchmark::State& state, double eta, double wz0)
{
    Defaults d;
    d.p.eta = eta;
    d.p.wz0 = wz0;
    vp::parametr(d.p, d.run.n_tochek, d.c);
    const vp::MotionCoefficients k{d.c.W02, d.c.delta, d.c.fi_2_x};
    vp::RunState s;
    int work = 0;
    for (auto _ : state) {
        vp::start_run(s, d.c.fi0_rad, d.p.wz0);
        const vp::StepWork w = vp::integration_step(s, k, d.c.shag);
        work = w.runge_kutta_steps + w.stiff_steps;
        benchmark::DoNotOptimize(s);
    }
    state.counters["sub_steps"] = work;
}
BENCHMARK_CAPTURE(StiffFirstStep, eta_1e5, 1e5, -3.5);
BENCHMARK_CAPTURE(StiffFirstStep, eta_1e8, 1e8, -3.5);
BENCHMARK_CAPTURE(StiffFirstStep, eta_1e12, 1e12, -3.5);
// Slowed from 1e6 rad/s by the quadratic drag: the stiff sub-steps run to
// their bound.
BENCHMARK_CAPTURE(StiffFirstStep, flung_at_1e6_rad_s, 0.001004, -1e6);

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
