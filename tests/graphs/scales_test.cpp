// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphs/scales.h"

#include "drawing/coordinate_mapping.h"
#include "recording_surface.h"

#include <gtest/gtest.h>

#include <cstring>

namespace vp {
namespace {

using testing::RecordingSurface;

struct Model {
    Parameters p;
    Characteristics c;
    ZoomSettings zoom{1, 1, 1.0F, 5};
    Model()
    {
        p.dlina = 0.5;
        p.Tmax = 10;
        c.T0 = 3;
        c.Amp_fi = 30;
        c.Amp_wz = 2.5F;
        c.W_00 = -0.866;
        c.W_min = -1.0;
    }
};

TEST(Scales, RangesFollowTheModelAndTheZoom)
{
    struct Case {
        double k;
        double fi_top, wz_top;
    };
    for (const Case& c : {Case{1, 30, 2.5}, Case{0.5, 60, 5}, Case{2, 15, 1.25}, Case{10, 3, 0.25}}) {
        Model m;
        m.zoom.k_fi = m.zoom.k_wz = c.k;
        const Scales s = compute_scales(m.p, m.c, m.zoom);
        EXPECT_DOUBLE_EQ(s.fi_top, c.fi_top);
        EXPECT_DOUBLE_EQ(s.fi_bottom, -c.fi_top);
        EXPECT_DOUBLE_EQ(s.wz_top, c.wz_top);
        EXPECT_DOUBLE_EQ(s.wz_bottom, -c.wz_top);
        EXPECT_DOUBLE_EQ(s.x_right, 0.55);
        EXPECT_DOUBLE_EQ(s.x_left, -0.55);
        EXPECT_DOUBLE_EQ(s.y_bottom, 0.55);
        EXPECT_DOUBLE_EQ(s.y_top, -0.55);
        EXPECT_DOUBLE_EQ(s.shag_t, 3);
        EXPECT_DOUBLE_EQ(s.n_periodov, 10.0 / 3);
    }
}

TEST(Scales, EnergyWindowAtZoomOneIsExactlyFromTheStartToTheLowest)
{
    const double cases[][2] = {{-0.866, -1.0}, {345.5271, -168.731}, {0.1 + 0.2, 0.3}, {-1e300, -1e301}};
    for (const auto& w : cases) {
        Model m;
        m.c.W_00 = w[0];
        m.c.W_min = w[1];
        const Scales s = compute_scales(m.p, m.c, m.zoom);
        const float bottom = static_cast<float>(w[1]);
        EXPECT_EQ(std::memcmp(&s.W_top, &w[0], sizeof(double)), 0) << w[0];
        EXPECT_EQ(std::memcmp(&s.W_bottom, &bottom, sizeof(float)), 0) << w[1];
    }
}

TEST(Scales, EnergyWindowZoomsAboutTheMiddleOfTheEnergyRange)
{
    struct Case {
        float k_W;
        double top, bottom;
    };
    // The middle of -0.866 .. -1.0 is -0.933; the range is 0.134.
    for (const Case& c : {Case{2, -0.8995, -0.9665}, Case{10, -0.9263, -0.9397}, Case{0.5F, -0.799, -1.067}}) {
        Model m;
        m.zoom.k_W = c.k_W;
        const Scales s = compute_scales(m.p, m.c, m.zoom);
        EXPECT_NEAR(s.W_top, c.top, 1e-12) << c.k_W;
        EXPECT_NEAR(s.W_bottom, c.bottom, 1e-7) << c.k_W;
        EXPECT_DOUBLE_EQ(s.W_mid, -0.933);
    }
}

TEST(Scales, MinmaxGivesEachPictureItsRectangle)
{
    Model m;
    RecordingSurface p1, p2, p3, p4, p14;
    Scales s;
    minmax(m.p, m.c, m.zoom, s, {p1, p2, p3, p4, p14});
    const std::pair<const RecordingSurface*, LogicalRect> expected[] = {
        {&p1, {-0.55, -0.55, 0.55, 0.55}},
        {&p2, {-0.55, -0.55, 0.55, 0.55}},
        {&p3, {0, 30, 10, -30}},
        {&p4, {0, 2.5, 10, -2.5}},
        {&p14, {0, -0.866, 10, static_cast<float>(-1.0)}},
    };
    for (const auto& [surface, r] : expected) {
        ASSERT_EQ(surface->ops.size(), 1u);
        const auto& op = surface->ops[0];
        EXPECT_EQ(op.kind, RecordingSurface::Kind::scale);
        EXPECT_DOUBLE_EQ(op.x1, r.left);
        EXPECT_DOUBLE_EQ(op.y1, r.top);
        EXPECT_DOUBLE_EQ(op.x2, r.right);
        EXPECT_DOUBLE_EQ(op.y2, r.bottom);
    }
}

} // namespace
} // namespace vp
