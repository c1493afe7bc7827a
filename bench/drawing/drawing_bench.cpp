// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphs/scales.h"
#include "graphs/scene.h"
#include "graphs/time_graphs.h"
#include "model/characteristics.h"
#include "model/runge_kutta.h"
#include "platform/canvas.h"
#include "tests/support/default_lab.h"

#include <QGuiApplication>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

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

// A picture as its widget shows it: what the canvas reports changed is
// copied to a window image, as a repaint does.
struct Shown {
    vp::Canvas canvas;
    QImage window;
    QRect pending;
    double repainted = 0; // device pixels

    Shown() : window(1, 1, QImage::Format_RGB32)
    {
        canvas.set_on_change([this](const QRect& r) { pending |= r; });
    }
    void resize(QSize size, qreal ratio)
    {
        canvas.resize(size, ratio);
        window = QImage(canvas.image().size(), QImage::Format_RGB32);
        window.setDevicePixelRatio(ratio);
    }
    void repaint()
    {
        if (pending.isEmpty())
            return;
        QPainter p(&window);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        const qreal r = canvas.image().devicePixelRatio();
        p.drawImage(QRectF(pending), canvas.image(),
                    QRectF(pending.x() * r, pending.y() * r, pending.width() * r, pending.height() * r));
        repainted += pending.width() * r * pending.height() * r;
        pending = QRect();
    }
};

// The five pictures at the defaults for a drawing area of side `side` at a
// device pixel ratio, laid out as the window does: the plane square, the
// graphs a third of it high.
struct Lab : vp::testing::DefaultLab {
    vp::Scales scales;
    vp::RunState s;
    vp::PlaneCopyRects rects;
    Shown Picture1, Picture2, Picture3, Picture4, Picture14;

    Lab(int side, qreal ratio)
    {
        ensure_application();
        rects = {0, 0, side, side, 0, 0, side, static_cast<float>(side)};
        Picture1.resize({side, side}, ratio);
        Picture2.resize({side, side}, ratio);
        for (Shown* g : graphs())
            g->resize({side - 17, side / 3 - 4}, ratio);
        redraw();
        vp::start_run(s, c.fi0_rad, p.wz0);
    }
    std::vector<Shown*> graphs() { return {&Picture3, &Picture4, &Picture14}; }
    std::vector<Shown*> all() { return {&Picture1, &Picture2, &Picture3, &Picture4, &Picture14}; }
    // The drawing of a redraw, as the window's resize does it.
    void redraw()
    {
        for (Shown* picture : all())
            picture->canvas.clear();
        vp::minmax(p, c, zoom, scales,
                   {Picture1.canvas, Picture2.canvas, Picture3.canvas, Picture4.canvas, Picture14.canvas});
        vp::axes(Picture1.canvas, scales, p, c, zoom, ".");
        vp::axes_2(Picture2.canvas, Picture1.canvas, rects, p, c);
        vp::axes_x_t(Picture3.canvas, scales, p, zoom, ".");
        vp::axes_y_t(Picture4.canvas, scales, p, zoom, ".");
        vp::axes_W_t(Picture14.canvas, scales, p, c, zoom, ".");
        for (Shown* picture : all())
            picture->repaint();
    }
};

void spread(benchmark::internal::Benchmark* b)
{
    b->Args({348, 1})
        ->Args({1568, 1})
        ->Args({1568, 2})
        ->Unit(benchmark::kMicrosecond)
        ->Repetitions(5)
        ->ComputeStatistics("min", [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); })
        ->ComputeStatistics("max", [](const std::vector<double>& v) { return *std::max_element(v.begin(), v.end()); })
        ->ReportAggregatesOnly(true);
}

// The drawing of one run step and its repaint: a curve segment on each time
// graph and one animation frame. Side 348 is the designed window, 1568 a
// 1920 x 1080 one; the second number is the device pixel ratio. repainted
// counts the device pixels copied to the window per step.
void RunStepDrawing(benchmark::State& state)
{
    Lab lab(static_cast<int>(state.range(0)), static_cast<qreal>(state.range(1)));
    const vp::MotionCoefficients k{lab.c.W02, lab.c.delta, lab.c.fi_2_x};
    for (Shown* picture : lab.all())
        picture->repainted = 0;
    for (auto _ : state) {
        state.PauseTiming();
        if (!(lab.s.t_f < lab.p.Tmax)) {
            lab.redraw();
            vp::start_run(lab.s, lab.c.fi0_rad, lab.p.wz0);
        }
        vp::runge_kutta_step(lab.s, k, lab.c.shag);
        lab.s.W_poln = vp::total_energy(lab.c.MI, lab.c.Mm_L, lab.s.fi_new, lab.s.wz_new);
        state.ResumeTiming();
        vp::plot_time_point(lab.Picture3.canvas, lab.Picture4.canvas, lab.Picture14.canvas, lab.s);
        vp::draw_animation_frame(lab.Picture2.canvas, lab.Picture1.canvas, lab.rects, lab.p, lab.s);
        for (Shown* picture : lab.all())
            picture->repaint();
    }
    double repainted = 0;
    for (Shown* picture : lab.all())
        repainted += picture->repainted;
    state.counters["repainted"] = benchmark::Counter(repainted, benchmark::Counter::kAvgIterations);
}
BENCHMARK(RunStepDrawing)->Apply(spread);

// The drawing of the five pictures on a redraw, and its repaint.
void RedrawDrawing(benchmark::State& state)
{
    Lab lab(static_cast<int>(state.range(0)), static_cast<qreal>(state.range(1)));
    for (auto _ : state)
        lab.redraw();
}
BENCHMARK(RedrawDrawing)->Apply(spread);

} // namespace
