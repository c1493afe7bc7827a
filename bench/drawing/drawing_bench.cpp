// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphs/scales.h"
#include "graphs/scene.h"
#include "graphs/time_graphs.h"
#include "model/characteristics.h"
#include "model/runge_kutta.h"
#include "platform/canvas.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

// Fonts need a GUI application; none is shown.
void ensure_application()
{
    static int argc = 1;
    static char name[] = "drawing_bench";
    static char* argv[] = {name, nullptr};
    if (QGuiApplication::instance() == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        static QGuiApplication app(argc, argv);
    }
}

// The five pictures at the defaults for a drawing area of side `side`, laid
// out as the window does: the plane square, the graphs a third of it high.
struct Lab {
    vp::Parameters p;
    vp::RunSettings run;
    vp::ZoomSettings zoom;
    vp::Characteristics c;
    vp::Scales scales;
    vp::RunState s;
    vp::PlaneCopyRects rects;
    vp::Canvas Picture1, Picture2, Picture3, Picture4, Picture14;

    explicit Lab(int side)
    {
        ensure_application();
        vp::predvar(p, run, zoom);
        vp::parametr(p, run.n_tochek, c);
        rects = {0, 0, side, side, 0, 0, side, static_cast<float>(side)};
        const QSize graph(side - 17, side / 3 - 4);
        Picture1.resize({side, side}, 1);
        Picture2.resize({side, side}, 1);
        for (vp::Canvas* g : {&Picture3, &Picture4, &Picture14})
            g->resize(graph, 1);
        vp::minmax(p, c, zoom, scales, {Picture1, Picture2, Picture3, Picture4, Picture14});
        vp::axes(Picture1, scales, p, c, zoom, ".");
        vp::axes_2(Picture2, Picture1, rects, p, c);
        start();
    }
    void start()
    {
        vp::axes_x_t(Picture3, scales, p, zoom, ".");
        vp::axes_y_t(Picture4, scales, p, zoom, ".");
        vp::axes_W_t(Picture14, scales, p, c, zoom, ".");
        vp::start_run(s, c.fi0_rad, p.wz0);
    }
};

void RunStepDrawing(benchmark::State& state)
{
    Lab lab(static_cast<int>(state.range(0)));
    const vp::MotionCoefficients k{lab.c.W02, lab.c.delta, lab.c.fi_2_x};
    for (auto _ : state) {
        state.PauseTiming();
        if (!(lab.s.t_f < lab.p.Tmax))
            lab.start();
        vp::runge_kutta_step(lab.s, k, lab.c.shag);
        lab.s.W_poln = vp::total_energy(lab.c.MI, lab.c.Mm_L, lab.s.fi_new, lab.s.wz_new);
        state.ResumeTiming();
        vp::plot_time_point(lab.Picture3, lab.Picture4, lab.Picture14, lab.s);
        vp::draw_animation_frame(lab.Picture2, lab.Picture1, lab.rects, lab.p, lab.s);
        benchmark::DoNotOptimize(lab.Picture2.image().constBits());
    }
}
BENCHMARK(RunStepDrawing)->Arg(348)->Arg(1500)->Unit(benchmark::kMicrosecond);

} // namespace
