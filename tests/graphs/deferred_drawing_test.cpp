// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/deferred_drawing.h"

#include "graphs/pictures.h"
#include "graphs/scales.h"
#include "graphs/scene.h"
#include "graphs/time_graphs.h"
#include "model/constants.h"
#include "platform/canvas.h"
#include "repainted_screen.h"
#include "tests/support/default_lab.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <memory>
#include <vector>

namespace vp {
namespace {

using testing::differing_pixels;
using testing::RepaintedScreen;

// One thing the window does to its pictures.
struct Step {
    enum Kind {
        redraw,             // a redraw of all five, the animation cleared first
        redraw_plane_first, // the same, the plane cleared before the animation
        read,               // anyone reading the pictures, or the screen showing them
        run_step,           // a step of a run, drawn on the pictures directly
        resize,             // the window laid out anew
    } kind = redraw;
    double massa = 15.499; // of the redraw, kg
    double fi0 = 37;       // degrees
    double k_fi = 1;
    int side = 348; // of the resize
};

constexpr Rgb animation_background{240, 240, 240};
constexpr Rgb energy_background{212, 208, 200};

// The window's five pictures on canvases, and the laboratory they show.
struct Window {
    std::array<Canvas, 5> canvas;
    testing::DefaultLab lab;
    PlaneCopyRects rects;
    RunState s;

    Window(int side, qreal ratio)
    {
        canvas[1].set_background(animation_background);
        canvas[4].set_background(energy_background);
        resize(side, ratio);
    }
    void resize(int side, qreal ratio)
    {
        rects = {0, 0, side, side, 0, 0, side, static_cast<float>(side)};
        canvas[0].resize({side, side}, ratio);
        canvas[1].resize({side, side}, ratio);
        for (int i = 2; i < 5; ++i)
            canvas[static_cast<std::size_t>(i)].resize({side - 17, side / 3 - 4}, ratio);
    }
    void set(const Step& step)
    {
        lab.p.massa = step.massa;
        lab.p.fi0 = step.fi0;
        lab.zoom.k_fi = step.k_fi;
        parametr(lab.p, lab.run.n_tochek, lab.c);
    }
    // The window's redraw: clearing, scales, the plane, the first frame and
    // the three graphs.
    void redraw(const std::array<Surface*, 5>& on, bool plane_first)
    {
        on[plane_first ? 0 : 1]->clear();
        on[plane_first ? 1 : 0]->clear();
        for (std::size_t i = 2; i < on.size(); ++i)
            on[i]->clear();
        draw_pictures({*on[0], *on[1], *on[2], *on[3], *on[4]}, lab.p, lab.c, lab.zoom, rects, ",");
    }
    void run_step()
    {
        s.t_f += 0.25;
        s.fi_new = k_grad_rad * 30 * std::cos(s.t_f);
        s.wz_new = -std::sin(s.t_f);
        s.W_poln = static_cast<float>(lab.c.W_00 * 0.9);
        plot_time_point(canvas[2], canvas[3], canvas[4], s);
        draw_animation_frame(canvas[1], canvas[0], rects, lab.p, s);
    }
};

bool same_state(const DrawingState& a, const DrawingState& b)
{
    return a.pen.x == b.pen.x && a.pen.y == b.pen.y && a.line_width == b.line_width && a.line_style == b.line_style &&
           a.scale.left == b.scale.left && a.scale.top == b.scale.top && a.scale.right == b.scale.right &&
           a.scale.bottom == b.scale.bottom;
}

// The same steps drawn at once, and through deferred drawings, give the same
// pictures and leave the same pen, widths and scales: a load's many
// redraws, the same redraw again, a run's steps between redraws, a plane
// begun anew while the animation still copies its last drawing, and a new
// size with a redraw pending; at device pixel ratios 1 and 2.
TEST(DeferredDrawing, DrawsWhatDrawingAtOnceDraws)
{
    using K = Step::Kind;
    auto load = [](std::vector<Step> steps) {
        for (int i = 0; i < 15; ++i)
            steps.push_back({K::redraw, 10.0 + 2.5 * (i % 4), 30.0 + i, 1.0 + (i % 3)});
        steps.push_back({K::read});
        return steps;
    };
    const std::vector<std::vector<Step>> cases = {
        load({}),
        {{K::redraw}, {K::read}, {K::redraw}, {K::read}, {K::redraw, 20}, {K::redraw}, {K::read}},
        {{K::redraw}, {K::read}, {K::run_step}, {K::run_step}, {K::redraw}, {K::read}, {K::run_step}},
        {{K::redraw, 20, 10}, {K::redraw_plane_first, 30, 50}, {K::read}, {K::redraw_plane_first}},
        {{K::redraw}, {K::resize, 0, 0, 0, 300}, {K::read}, {K::redraw}, {K::resize, 0, 0, 0, 348}},
    };
    for (const qreal ratio : {1.0, 2.0}) {
        for (std::size_t n = 0; n < cases.size(); ++n) {
            Window at_once(348, ratio), put_off(348, ratio);
            std::array<std::unique_ptr<DeferredDrawing>, 5> owned;
            for (std::size_t i = 0; i < 5; ++i)
                owned[i] = std::make_unique<DeferredDrawing>(put_off.canvas[i]);
            const std::array<Surface*, 5> direct{&at_once.canvas[0], &at_once.canvas[1], &at_once.canvas[2],
                                                 &at_once.canvas[3], &at_once.canvas[4]};
            const std::array<Surface*, 5> deferred{owned[0].get(), owned[1].get(), owned[2].get(), owned[3].get(),
                                                   owned[4].get()};
            auto compare = [&](std::size_t step) {
                for (std::size_t i = 0; i < 5; ++i) {
                    owned[i]->settle();
                    const Canvas& a = at_once.canvas[i];
                    const Canvas& b = put_off.canvas[i];
                    const QRect all(QPoint(0, 0), a.logical_size());
                    EXPECT_EQ(differing_pixels(a.image(), b.image(), all), 0)
                        << ratio << " case " << n << " step " << step << " picture " << i;
                    EXPECT_TRUE(same_state(a.drawing_state(), b.drawing_state()))
                        << ratio << " case " << n << " step " << step << " picture " << i;
                }
            };
            for (std::size_t step = 0; step < cases[n].size(); ++step) {
                const Step& k = cases[n][step];
                switch (k.kind) {
                case K::redraw:
                case K::redraw_plane_first:
                    at_once.set(k);
                    put_off.set(k);
                    at_once.redraw(direct, k.kind == K::redraw_plane_first);
                    put_off.redraw(deferred, k.kind == K::redraw_plane_first);
                    break;
                case K::read: compare(step); break;
                case K::run_step:
                    for (auto& d : owned)
                        d->settle_for_drawing();
                    at_once.run_step();
                    put_off.run_step();
                    break;
                case K::resize:
                    for (auto& d : owned)
                        d->discard();
                    at_once.resize(k.side, ratio);
                    put_off.resize(k.side, ratio);
                    break;
                }
            }
            compare(cases[n].size());
        }
    }
}

// A redrawn plane differs from the last in a few places: the animation that
// copies it is repainted there alone, and its screen shows what a fresh
// frame shows.
TEST(DeferredDrawing, AnAnimationRepaintsOnlyWhereItsPlaneChanged)
{
    for (const qreal ratio : {1.0, 2.0}) {
        Window window(348, ratio);
        std::array<std::unique_ptr<DeferredDrawing>, 5> d;
        for (std::size_t i = 0; i < 5; ++i)
            d[i] = std::make_unique<DeferredDrawing>(window.canvas[i]);
        const std::array<Surface*, 5> on{d[0].get(), d[1].get(), d[2].get(), d[3].get(), d[4].get()};
        window.redraw(on, false);
        d[1]->settle();
        RepaintedScreen screen(window.canvas[1]);
        // A heavier sphere: the centre of mass and its dotted circle move.
        window.set({Step::redraw, 16.5});
        window.redraw(on, false);
        d[1]->settle();
        // The circle's blocks, about a third of the square.
        EXPECT_LT(screen.repaint(), 348 * 348 / 2) << ratio;
        Window fresh(348, ratio);
        fresh.set({Step::redraw, 16.5});
        fresh.redraw({&fresh.canvas[0], &fresh.canvas[1], &fresh.canvas[2], &fresh.canvas[3], &fresh.canvas[4]}, false);
        EXPECT_EQ(differing_pixels(fresh.canvas[1].image(), screen.shown, {0, 0, 348, 348}), 0) << ratio;
    }
}

// A surface that counts the clearings and verbs that reach it.
class CountingSurface final : public PersistentSurface {
public:
    int clears = 0;
    int verbs = 0;

    DrawingState drawing_state() const override { return state_; }
    void set_drawing_state(const DrawingState& state) override { state_ = state; }
    std::uint64_t generation() const override { return generation_; }
    void set_scale(double left, double top, double right, double bottom) override
    {
        state_.scale = {left, top, right, bottom};
    }
    void clear() override
    {
        ++clears;
        drawn();
    }
    void set_line_width(int pixels) override { state_.line_width = pixels; }
    void set_line_style(LineStyle style) override { state_.line_style = style; }
    void line(double, double, double x2, double y2, Rgb) override
    {
        state_.pen = {x2, y2};
        drawn();
    }
    void line_to(double x, double y, Rgb) override
    {
        state_.pen = {x, y};
        drawn();
    }
    void dot(double x, double y) override
    {
        state_.pen = {x, y};
        drawn();
    }
    void circle(double, double, double, Rgb, std::optional<Rgb>) override { drawn(); }
    void print(std::string_view) override { drawn(); }
    void print_inside(std::string_view) override { drawn(); }
    void move_to(double x, double y) override { state_.pen = {x, y}; }
    LogicalPoint pen() const override { return state_.pen; }
    Rgb foreground() const override { return {}; }
    void copy_keyed(const Surface&, const PixelRect&, const PixelRect&, Rgb) override { drawn(); }

private:
    void drawn()
    {
        ++verbs;
        ++generation_;
    }
    DrawingState state_;
    std::uint64_t generation_ = 1;
};

// How many redraws reach the angle graph: one for a load's fifteen, none
// for the same again, one more for each read between different redraws,
// and one for a redraw after the graph was drawn on directly.
TEST(DeferredDrawing, RedrawsOneAfterAnotherCostOne)
{
    struct Case {
        // r: a redraw at a new starting angle, s: the same redraw again,
        // d: a read, c: a curve segment drawn by a run.
        const char* steps;
        int redraws;
    };
    const Case cases[] = {
        {"rrrrrrrrrrrrrrrd", 1}, {"rdsdsd", 1}, {"rdrdrd", 3}, {"rdcsd", 2}, {"rrsd", 1}, {"rcrd", 2}, {"", 0},
    };
    for (const Case& k : cases) {
        testing::DefaultLab lab;
        CountingSurface angle, other;
        DeferredDrawing deferred(angle);
        double fi0 = 30;
        int curves = 0;
        for (const char* c = k.steps; *c != '\0'; ++c) {
            if (*c == 'r' || *c == 's') {
                if (*c == 'r')
                    lab.p.fi0 = fi0 += 1;
                parametr(lab.p, lab.run.n_tochek, lab.c);
                deferred.clear();
                Scales scales;
                minmax(lab.p, lab.c, lab.zoom, scales, {other, other, deferred, other, other});
                axes_x_t(deferred, scales, lab.p, lab.zoom, ".");
            } else if (*c == 'd') {
                deferred.settle();
            } else {
                // A run takes the picture and draws on it.
                deferred.settle_for_drawing();
                deferred.line_to(1, 2, Rgb{255, 0, 0});
                ++curves;
            }
        }
        deferred.settle();
        EXPECT_EQ(angle.clears, k.redraws) << k.steps;
        // Every redraw drawn is drawn whole, and nothing else reaches it.
        CountingSurface one;
        {
            DeferredDrawing single(one);
            Scales scales;
            single.clear();
            minmax(lab.p, lab.c, lab.zoom, scales, {other, other, single, other, other});
            axes_x_t(single, scales, lab.p, lab.zoom, ".");
            single.settle();
        }
        EXPECT_EQ(angle.verbs, k.redraws * one.verbs + curves) << k.steps;
    }
}

} // namespace
} // namespace vp
