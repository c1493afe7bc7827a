// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphs/time_graphs.h"

#include "drawing/colours.h"
#include "model/constants.h"
#include "platform/canvas.h"
#include "recording_surface.h"
#include "repainted_screen.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace vp {
namespace {

using testing::differing_pixels;
using testing::RecordingSurface;
using testing::RepaintedScreen;
using Kind = RecordingSurface::Kind;

struct Graphs {
    Parameters p;
    Characteristics c;
    ZoomSettings zoom{1, 1, 1.0F, 5};
    RecordingSurface angle, velocity, energy;

    Graphs()
    {
        p.Tmax = 10;
        p.fi0 = 20;
        p.wz0 = -1.5;
        c.T0 = 3;
        c.Amp_fi = 30;
        c.Amp_wz = 2.5F;
        c.W_00 = -0.866;
        c.W_min = -1.0;
    }
    Scales draw(std::string_view separator = ".")
    {
        const Scales s = compute_scales(p, c, zoom);
        axes_x_t(angle, s, p, zoom, separator);
        axes_y_t(velocity, s, p, zoom, separator);
        axes_W_t(energy, s, p, c, zoom, separator);
        return s;
    }
};

// Period lines (x of the vertical grid lines) and value-grid lines (their y).
std::vector<double> grid_lines(const RecordingSurface& g, bool vertical)
{
    std::vector<double> r;
    for (const auto& l : g.of(Kind::line, colours::grid)) {
        if (vertical && l.x1 == l.x2 && l.y1 != l.y2)
            r.push_back(l.x1);
        else if (!vertical && l.y1 == l.y2)
            r.push_back(l.y1);
    }
    return r;
}

// Texts printed at the given x, in order.
std::vector<std::string> texts_at(const RecordingSurface& g, double x)
{
    std::vector<std::string> r;
    for (const auto& op : g.of(Kind::print)) {
        if (op.x1 == x)
            r.push_back(op.text);
    }
    return r;
}

TEST(TimeGraphs, PeriodLinesAndLabelsStandEveryPeriod)
{
    Graphs g;
    g.draw();
    for (const RecordingSurface* graph : {&g.angle, &g.velocity, &g.energy}) {
        EXPECT_EQ(grid_lines(*graph, true), (std::vector<double>{3, 6, 9, 12}));
        // Labels for 2, 4, 6, 8 periods at twice each line; only t = 6 shows.
        const char* labels[] = {" 2То", " 4То", " 6То", " 8То"};
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(texts_at(*graph, 6.0 * (i + 1)), std::vector<std::string>{labels[i]});
    }
    EXPECT_DOUBLE_EQ(g.angle.of(Kind::print)[0].y1, -0.03 * 30);
}

TEST(TimeGraphs, AngleGridFollowsTheZoomWithTheLocaleSeparator)
{
    struct Case {
        double k_fi;
        std::vector<double> ys;
        std::vector<std::string> texts;
    };
    const Case cases[] = {
        {1,
         {-24, -18, -12, -6, 0, 6, 12, 18, 24},
         {"-24,000", "-18,000", "-12,000", "-6,000", "0,000", "6,000", "12,000", "18,000", "24,000"}},
        {2,
         {-12, -9, -6, -3, 0, 3, 6, 9, 12},
         {"-12,000", "-9,000", "-6,000", "-3,000", "0,000", "3,000", "6,000", "9,000", "12,000"}},
    };
    for (const Case& c : cases) {
        Graphs g;
        g.zoom.k_fi = c.k_fi;
        g.draw(",");
        EXPECT_EQ(grid_lines(g.angle, false), c.ys);
        EXPECT_EQ(texts_at(g.angle, 0.01 * 10), c.texts);
    }
}

TEST(TimeGraphs, AxesCaptionsAndTheStartOfTheCurve)
{
    Graphs g;
    const Scales s = g.draw();
    struct Case {
        const RecordingSurface* graph;
        const char* caption;
        double caption_at;
        double top, bottom, start;
    };
    for (const Case& c :
         {Case{&g.angle, "fi, °", 0.02, 30, -30, 20}, Case{&g.velocity, "wz, рад/с", 0.02, 2.5, -2.5, -1.5},
          Case{&g.energy, "W, Дж", energy_caption_at, s.W_top, s.W_bottom, -0.866}}) {
        const auto axes = c.graph->of(Kind::line, colours::black);
        ASSERT_EQ(axes.size(), 2u);
        EXPECT_EQ(axes[0].width, 3);
        EXPECT_EQ(std::vector<double>({axes[0].x1, axes[0].y1, axes[0].x2, axes[0].y2}),
                  std::vector<double>({0, c.top, 0, c.bottom}));
        EXPECT_EQ(std::vector<double>({axes[1].x1, axes[1].y1, axes[1].x2, axes[1].y2}),
                  std::vector<double>({0, 0, 10, 0}));
        EXPECT_EQ(texts_at(*c.graph, c.caption_at * 10), std::vector<std::string>{c.caption});
        // Inside the window, near its top, even for an energy wholly below zero.
        for (const auto& op : c.graph->of(Kind::print)) {
            if (op.text == c.caption) {
                EXPECT_LT(op.y1, c.top);
                EXPECT_GT(op.y1, c.top - 0.05 * (c.top - c.bottom));
            }
        }
        EXPECT_EQ(texts_at(*c.graph, 0.95 * 10), std::vector<std::string>{"t, c"});
        const auto& last = c.graph->ops.back();
        EXPECT_EQ(last.kind, Kind::dot);
        EXPECT_EQ(last.width, 3);
        EXPECT_EQ(last.x1, 0);
        EXPECT_EQ(last.y1, c.start);
    }
}

TEST(TimeGraphs, EnergyGridAndLabelsLieInsideTheZoomedWindow)
{
    for (float k_W : {1.0F, 2.0F, 10.0F, 0.5F}) {
        Graphs g;
        g.zoom.k_W = k_W;
        const Scales s = g.draw();
        const auto ys = grid_lines(g.energy, false);
        ASSERT_EQ(ys.size(), 10u);
        for (std::size_t i = 0; i < ys.size(); ++i) {
            // A step of (W_00 - W_min) / 10 at zoom 1, in single precision.
            EXPECT_NEAR(ys[i], -0.933 + (static_cast<int>(i) - 4) * (0.0134 / k_W), 1e-7);
            EXPECT_GT(ys[i], s.W_bottom);
        }
        // The top line is the window's top edge; its label hangs below it.
        EXPECT_NEAR(ys.back(), s.W_top, 1e-6) << k_W;
    }
    Graphs g;
    g.zoom.k_W = 2;
    g.draw();
    EXPECT_EQ(texts_at(g.energy, 0.1), (std::vector<std::string>{"-0.960", "-0.953", "-0.946", "-0.940", "-0.933",
                                                                 "-0.926", "-0.920", "-0.913", "-0.906", "-0.900"}));
}

TEST(TimeGraphs, PeriodLinesStayFewAndFiniteWhateverThePeriod)
{
    constexpr double inf = std::numeric_limits<double>::infinity();
    struct Case {
        const char* what;
        double Tmax, T0;
        std::size_t most;
    };
    for (const Case& c :
         {Case{"a billion periods", 1e9, 1, 4096}, Case{"1e300 periods", 1e300, 1, 4096}, Case{"zero period", 16, 0, 0},
          Case{"infinite period", 16, inf, 0}, Case{"no time", 0, 0, 0}, Case{"Tmax below T0", 1, 3, 1}}) {
        Graphs g;
        g.p.Tmax = c.Tmax;
        g.c.T0 = c.T0;
        g.draw();
        const auto xs = grid_lines(g.angle, true);
        EXPECT_LE(xs.size(), c.most) << c.what;
        for (double x : xs)
            EXPECT_TRUE(std::isfinite(x)) << c.what;
        if (c.most > 1) {
            // Every k-th line, evenly over the whole span.
            EXPECT_GT(xs.size(), 4000u) << c.what;
            EXPECT_DOUBLE_EQ(xs[1] - xs[0], xs[0]) << c.what;
            EXPECT_GE(xs.back() + xs[0], c.Tmax) << c.what;
        }
    }
    EXPECT_EQ(period_stride(4095.5), 1);
    EXPECT_EQ(period_stride(4096), 2);
}

TEST(TimeGraphs, PlotTimePointExtendsTheThreeCurvesInSinglePrecision)
{
    Graphs g;
    g.draw();
    RunState s;
    s.t_f = 0.1 + 1e-12;
    s.fi_new = 0.3 + 1e-12;
    s.wz_new = -1.1 + 1e-12;
    s.W_poln = -0.9F;
    plot_time_point(g.angle, g.velocity, g.energy, s);
    // Expected ends compared one by one: GCC 12 at -O2 drops the float
    // rounding of values converted inside a nested braced list.
    struct Case {
        const RecordingSurface* graph;
        double from_y;
        float to_y;
    };
    for (const Case& c : {Case{&g.angle, 20, static_cast<float>(s.fi_new / k_grad_rad)},
                          Case{&g.velocity, -1.5, static_cast<float>(s.wz_new)}, Case{&g.energy, -0.866, s.W_poln}}) {
        const auto& l = c.graph->ops.back();
        EXPECT_EQ(l.colour, colours::curve);
        EXPECT_EQ(l.width, 3);
        EXPECT_EQ(l.x1, 0);
        EXPECT_EQ(l.y1, c.from_y);
        EXPECT_EQ(l.x2, static_cast<float>(s.t_f));
        EXPECT_EQ(l.y2, c.to_y);
    }
}

// Each step repaints the three graphs only where their new segments lie,
// and the screen still shows all that the pictures hold.
TEST(TimeGraphs, SegmentRepaintsKeepTheScreenWhole)
{
    for (const qreal ratio : {1.0, 2.0}) {
        Graphs g;
        RecordingSurface plane;
        Canvas angle, velocity, energy;
        Canvas* graphs[] = {&angle, &velocity, &energy};
        for (Canvas* c : graphs)
            c->resize({331, 112}, ratio);
        const Scales s = compute_scales(g.p, g.c, g.zoom);
        apply_scales(s, g.p.Tmax, {plane, plane, angle, velocity, energy});
        axes_x_t(angle, s, g.p, g.zoom, ".");
        axes_y_t(velocity, s, g.p, g.zoom, ".");
        axes_W_t(energy, s, g.p, g.c, g.zoom, ".");
        RepaintedScreen screens[] = {RepaintedScreen(angle), RepaintedScreen(velocity), RepaintedScreen(energy)};
        RunState st;
        for (int i = 1; i <= 60; ++i) {
            st.t_f = i / 6.0;
            st.fi_new = k_grad_rad * 25 * std::cos(2 * st.t_f);
            st.wz_new = -2 * std::sin(2 * st.t_f);
            st.W_poln = static_cast<float>(-0.9 + 0.03 * std::cos(4 * st.t_f));
            plot_time_point(angle, velocity, energy, st);
            for (RepaintedScreen& screen : screens)
                EXPECT_LT(screen.repaint(), 331 * 112 / 4) << ratio << " " << i;
        }
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(differing_pixels(graphs[i]->image(), screens[i].shown, {0, 0, 331, 112}), 0) << ratio << " " << i;
    }
}

} // namespace
} // namespace vp
