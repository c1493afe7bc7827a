// SPDX-License-Identifier: GPL-3.0-or-later
// The series engine: 32 viscosities of the default body at Tmax = 160 s
// (some 7 400 steps a point) on 1, 2 and all threads, wall-clock time; and
// one point beside the bare run it is made of, the run loop with an
// observer that keeps the steps, timed in turn in the same iterations.
#include "model/run.h"
#include "series/box_entry.h"
#include "series/series.h"
#include "series/series_values.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>
#include <map>
#include <thread>

namespace {

vp::LabInputs long_defaults()
{
    vp::LabInputs lab;
    std::vector<vp::BoxMessage> messages;
    vp::start_up(lab, messages);
    vp::enter_value(lab, vp::Quantity::Tmax, 160, messages);
    return lab;
}

// The CPU time the calling thread has used so far, s.
double thread_cpu_seconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

// cores is the CPU time of the workers over the wall time: on a machine of
// its own a series on two threads keeps two cores busy; on a shared one it
// says how many the others left it.
void Series32(benchmark::State& state)
{
    const unsigned threads = state.range(0) == 0 ? vp::Workers::all_cores() : static_cast<unsigned>(state.range(0));
    const vp::SeriesRequest request{long_defaults(), vp::Quantity::eta,
                                    vp::spaced_values(0.001, 10, 32, vp::Spacing::logarithmic).values, "."};
    std::size_t steps = 0;
    double cpu = 0, wall = 0;
    for (auto _ : state) {
        steps = 0;
        // The handing over is one at a time: the map needs no lock of its own.
        std::map<std::thread::id, double> used;
        const auto t0 = std::chrono::steady_clock::now();
        vp::SeriesRun run(request, threads, [&](std::size_t, const vp::SeriesPoint& p) {
            steps += p.steps;
            used[std::this_thread::get_id()] = thread_cpu_seconds();
        });
        run.wait();
        wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        for (const auto& [id, seconds] : used)
            cpu += seconds;
    }
    state.counters["threads"] = threads;
    state.counters["steps"] = static_cast<double>(steps);
    state.counters["cores"] = cpu / wall;
}
BENCHMARK(Series32)->Arg(1)->Arg(2)->Arg(0)->ArgName("threads")->UseRealTime()->Unit(benchmark::kMillisecond);

// Keeps the steps as the window keeps them, with their energy ledger.
class Keeping final : public vp::RunObserver {
public:
    Keeping(vp::RunRecord& record, const vp::LabInputs& lab) : record_(record), lab_(lab) {}
    void step_done(const vp::RunState& s) override { record_.append(s, lab_.p, lab_.c); }

private:
    vp::RunRecord& record_;
    const vp::LabInputs& lab_;
};

// The point's cost over the bare run's: the counter "ratio".
void PointBesideBareRun(benchmark::State& state)
{
    using clock = std::chrono::steady_clock;
    const vp::LabInputs lab = long_defaults();
    vp::RunRecord bare_record, point_record;
    double bare = 0, point = 0;
    for (auto _ : state) {
        const auto t0 = clock::now();
        {
            vp::LabInputs copy = lab;
            vp::parametr(copy.p, copy.run.n_tochek, copy.c);
            vp::RunControl control;
            control.start();
            vp::RunState s;
            Keeping keeping(bare_record, copy);
            bare_record.start(copy.c, copy.p);
            benchmark::DoNotOptimize(vp::raschet(s, copy.p, copy.c, control, keeping));
        }
        const auto t1 = clock::now();
        benchmark::DoNotOptimize(vp::compute_point(lab, vp::Quantity::eta, lab.p.eta, ".", point_record));
        const auto t2 = clock::now();
        bare += std::chrono::duration<double>(t1 - t0).count();
        point += std::chrono::duration<double>(t2 - t1).count();
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["bare_ms"] = bare / n * 1e3;
    state.counters["point_ms"] = point / n * 1e3;
    state.counters["ratio"] = point / bare;
}
BENCHMARK(PointBesideBareRun)->Unit(benchmark::kMillisecond);

} // namespace
