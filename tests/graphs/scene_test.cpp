// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphs/scene.h"

#include "drawing/colours.h"
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

constexpr double half_pi = 1.5707963268;
// No drawing of the plane holds it, not even at an antialiased edge.
constexpr Rgb unused{1, 2, 3};

RunState at_angle(double fi)
{
    RunState s;
    s.fi_new = fi;
    return s;
}

struct Body {
    Parameters p;
    Characteristics c;
    ZoomSettings zoom{1, 1, 1.0F, 5};
    Scales s;
    PlaneCopyRects rects{0, 0, 348, 348, 0, 0, 348, 348.0F};

    Body()
    {
        p.dlina = 0.5;
        p.r_shar_2 = 0.1;
        p.r_shar_1 = 0.05F;
        p.massa = 1;
        p.massa_st = 0.5;
        c.x_c_m = 0.3F;
        s = compute_scales(p, c, zoom);
    }
};

// The plane drawn on a real canvas of 348 x 348 and an animation beside it.
struct Scene : Body {
    Canvas plane, animation;
    RecordingSurface graphs;
    Scene()
    {
        plane.resize({348, 348}, 1);
        animation.set_background(unused);
        animation.resize({348, 348}, 1);
        apply_scales(s, 10, {plane, animation, graphs, graphs, graphs});
        axes(plane, s, p, c, zoom, ".");
    }
    void frame(double fi) { draw_animation_frame(animation, plane, rects, p, at_angle(fi)); }
    static Rgb at(const Canvas& c, double x, double y)
    {
        const QRgb v = c.image().pixel(static_cast<int>(c.mapping().px(x)), static_cast<int>(c.mapping().py(y)));
        return {static_cast<std::uint8_t>(qRed(v)), static_cast<std::uint8_t>(qGreen(v)),
                static_cast<std::uint8_t>(qBlue(v))};
    }
    int count(Rgb colour) const
    {
        int n = 0;
        for (int y = 0; y < 348; ++y)
            for (int x = 0; x < 348; ++x)
                n += animation.image().pixel(x, y) == qRgb(colour.red, colour.green, colour.blue);
        return n;
    }
};

TEST(Plane, GridLabelsAxesAndTheCentreOfMassCircle)
{
    Body b;
    RecordingSurface plane;
    axes(plane, b.s, b.p, b.c, b.zoom, ",");
    std::vector<std::string> x_labels, y_labels;
    for (const auto& l : plane.of(Kind::print)) {
        // Only the caption by the right edge is kept from running past it.
        EXPECT_EQ(l.inside, l.text == "Y, м") << l.text;
        if (l.text.find("м") != std::string::npos)
            continue;
        (l.y1 == 0.01 * b.s.y_bottom ? x_labels : y_labels).push_back(l.text);
        EXPECT_TRUE(l.y1 == 0.01 * b.s.y_bottom || l.x1 == 0.01 * 1.1) << l.text;
    }
    EXPECT_EQ(x_labels, (std::vector<std::string>{"-0,50", "-0,40", "-0,30", "-0,20", "-0,10", "0,00", "0,10", "0,20",
                                                  "0,30", "0,40"}));
    EXPECT_EQ(y_labels,
              (std::vector<std::string>{"-0,50", "-0,40", "-0,30", "-0,20", "-0,10", "0,10", "0,20", "0,30", "0,40"}));
    EXPECT_EQ(plane.of(Kind::line, colours::grid).size(), 22u);
    EXPECT_EQ(plane.of(Kind::line, colours::black).at(0).width, 3);
    const auto circle = plane.of(Kind::circle).at(0);
    EXPECT_EQ(circle.radius, 0.3F);
    EXPECT_EQ(circle.style, LineStyle::dotted);
    EXPECT_EQ(circle.width, 1);
    EXPECT_FALSE(circle.fill.has_value());
}

TEST(Body, SphereAndRodFollowTheMasses)
{
    struct Case {
        double massa, massa_st;
        std::size_t circles;
        int rod_width;
        int least_blue, most_blue; // the rod is 0.5 / 1.1 of 348 px long
    };
    for (const Case& c : {Case{1, 0.5, 2, 7, 700, 1300}, Case{0, 0.5, 0, 7, 900, 1300}, Case{1, 0, 2, 1, 50, 250},
                          Case{0, 0, 0, 1, 100, 250}}) {
        Scene scene;
        scene.p.massa = c.massa;
        scene.p.massa_st = c.massa_st;
        RecordingSurface body;
        gruz(body, scene.p, 0);
        ASSERT_EQ(body.of(Kind::circle).size(), c.circles);
        if (c.circles == 2) {
            const auto outer = body.of(Kind::circle)[0], inner = body.of(Kind::circle)[1];
            EXPECT_EQ(std::vector<double>({outer.x1, outer.y1, outer.radius}), std::vector<double>({0, 0.4F, 0.1F}));
            EXPECT_EQ(outer.fill, colours::sphere);
            EXPECT_EQ(inner.radius, 0.05F);
            EXPECT_EQ(inner.fill, colours::cavity);
        }
        const auto rod = body.of(Kind::line, colours::rod).at(0);
        const float d = delta_pop(0.5);
        EXPECT_EQ(d, 0.0025F);
        EXPECT_EQ(rod.width, c.rod_width);
        EXPECT_EQ(rod.x1, d);
        EXPECT_EQ(rod.y1, d);
        EXPECT_EQ(rod.x2, d);
        EXPECT_EQ(rod.y2, static_cast<float>(d + 0.5));

        scene.frame(0);
        EXPECT_EQ(scene.count(colours::sphere) > 0, c.massa != 0);
        EXPECT_GE(scene.count(colours::rod), c.least_blue);
        EXPECT_LE(scene.count(colours::rod), c.most_blue);
    }
}

TEST(Body, SphereIsWhereTheAngleSendsItOverTheCleanPlane)
{
    struct Case {
        double fi;
        double ring_x, ring_y;     // on the dark-red ring
        double empty_x, empty_y;   // where the sphere must not be
        double cavity_x, cavity_y; // inside, clear of the rod
    };
    Scene scene;
    for (const Case& c :
         {Case{0, 0.075, 0.4, 0.075, -0.4, -0.03, 0.4}, Case{half_pi, 0.4, 0.075, 0.075, 0.4, 0.4, -0.03},
          Case{0, 0.075, 0.4, 0.4, 0.075, -0.03, 0.4}}) {
        scene.frame(c.fi);
        EXPECT_EQ(Scene::at(scene.animation, c.ring_x, c.ring_y), colours::sphere) << c.fi;
        EXPECT_EQ(Scene::at(scene.animation, c.cavity_x, c.cavity_y), colours::cavity) << c.fi;
        EXPECT_EQ(Scene::at(scene.animation, c.empty_x, c.empty_y), Scene::at(scene.plane, c.empty_x, c.empty_y));
        EXPECT_EQ(scene.count(unused), 0);
    }
}

TEST(Animation, FrameIsClearedPlaneCopyThenBody)
{
    Body b;
    RecordingSurface plane, animation;
    draw_animation_frame(animation, plane, b.rects, b.p, RunState{});
    axes_2(animation, plane, b.rects, b.p, b.c);
    std::vector<Kind> kinds;
    for (const auto& op : animation.ops)
        kinds.push_back(op.kind);
    EXPECT_EQ(kinds, (std::vector<Kind>{Kind::clear, Kind::copy, Kind::circle, Kind::circle, Kind::line, Kind::copy,
                                        Kind::circle, Kind::circle, Kind::line}));
    EXPECT_EQ(animation.ops[1].colour, colours::plane_key);
    EXPECT_EQ(animation.ops[1].from.width, 348);

    // The single-precision destination height rounds half to even.
    struct Case {
        float height;
        int pixels;
    };
    for (const Case& c : {Case{347.5F, 348}, Case{348.5F, 348}, Case{349.5F, 350},
                          Case{std::numeric_limits<float>::quiet_NaN(), 0}, Case{3e38F, 0}}) {
        b.rects.destination_height = c.height;
        animation.ops.clear();
        copy_plane(animation, plane, b.rects);
        EXPECT_EQ(animation.ops.at(0).to.height, c.pixels) << c.height;
    }
}

// A run's frames, each redone only where the last body was and repainted
// only where it changed, show what frames composed afresh show: at device
// pixel ratios 1, 2 and 1.5, with a weightless rod, and with the bottom of
// the square out of sight (a low window).
TEST(Animation, FramesRedoneWhereTheBodyWasMatchFreshFrames)
{
    struct Case {
        qreal ratio;
        QRect visible;
        double massa_st;
    };
    const QRect whole(0, 0, 348, 348);
    for (const Case& k :
         {Case{1, whole, 0.5}, Case{2, whole, 0.5}, Case{1.5, whole, 0}, Case{1, {0, 0, 348, 300}, 0.5}}) {
        Body b;
        b.p.massa_st = k.massa_st;
        auto picture = [&](Canvas& c) {
            c.set_background(unused);
            c.resize({348, 348}, k.ratio);
            c.set_visible_area(k.visible);
            c.set_scale(b.s.x_left, b.s.y_top, b.s.x_right, b.s.y_bottom);
        };
        Canvas plane, animation;
        picture(plane);
        picture(animation);
        axes(plane, b.s, b.p, b.c, b.zoom, ".");
        axes_2(animation, plane, b.rects, b.p, b.c);
        RepaintedScreen screen(animation);
        for (int i = 0; i < 24; ++i) {
            // Swings, and once a jump across.
            const double fi = 1.4 * std::sin(0.37 * i) + (i == 12 ? 2.5 : 0);
            draw_animation_frame(animation, plane, b.rects, b.p, at_angle(fi));
            // Bodies half a radian apart, not the whole square.
            EXPECT_LT(screen.repaint(), 348 * 348 / 3) << k.ratio << " " << i;
            Canvas fresh;
            picture(fresh);
            draw_animation_frame(fresh, plane, b.rects, b.p, at_angle(fi));
            EXPECT_EQ(differing_pixels(fresh.image(), animation.image(), k.visible), 0) << k.ratio << " " << i;
            EXPECT_EQ(differing_pixels(fresh.image(), screen.shown, k.visible), 0) << k.ratio << " " << i;
        }
    }
}

} // namespace
} // namespace vp
