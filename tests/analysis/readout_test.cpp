// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/readout.h"

#include "tests/support/c_library_locale.h"

#include <gtest/gtest.h>

namespace vp {
namespace {

struct ReadoutCase {
    PictureKind kind;
    LogicalRect rect;
    double px, py;
    const char* text; // with "," as the separator
};

TEST(Readout, ReadsBothEndsOfEachAxis)
{
    // 400 x 200 pixels: an angle graph of 16 s and +-30 degrees, an energy
    // graph from -50 to -250 J; the plane 330 pixels square, y downward.
    const LogicalRect angle{0, 30, 16, -30};
    const LogicalRect energy{0, -50, 16, -250};
    const LogicalRect plane{-1.65, -1.65, 1.65, 1.65};
    const ReadoutCase cases[] = {
        {PictureKind::angle, angle, 0, 0, "t = 0,000 c   fi = 30,00 °"},
        {PictureKind::angle, angle, 400, 200, "t = 16,000 c   fi = -30,00 °"},
        {PictureKind::angular_velocity, {0, 2.5, 16, -2.5}, 100, 200, "t = 4,000 c   wz = -2,500 рад/с"},
        {PictureKind::energy, energy, 400, 0, "t = 16,000 c   W = -50,00 Дж"},
        {PictureKind::energy, energy, 0, 200, "t = 0,000 c   W = -250,00 Дж"},
        // X is the downward axis, Y the horizontal one.
        {PictureKind::plane, plane, 0, 330, "X = 1,650 м   Y = -1,650 м"},
        {PictureKind::plane, plane, 330, 0, "X = -1,650 м   Y = 1,650 м"},
        // A pixel finer than the usual decimals asks for more of them.
        {PictureKind::plane, {-0.011, -0.011, 0.011, 0.011}, 0, 0, "X = -0,01100 м   Y = -0,01100 м"},
    };
    const RunRecord none;
    for (const char* locale : testing::user_locales) {
        testing::CLibraryLocale in(locale);
        for (const ReadoutCase& k : cases) {
            const bool plane_size = k.kind == PictureKind::plane;
            const CoordinateMapping m(k.rect, plane_size ? 330 : 400, plane_size ? 330 : 200);
            EXPECT_EQ(readout_text(k.kind, m, k.px, k.py, none, ","), k.text);
        }
    }
    const CoordinateMapping m(angle, 400, 200);
    EXPECT_EQ(logical_point(m, 400, 200).x, 16);
    EXPECT_EQ(logical_point(m, 400, 200).y, -30);
    EXPECT_EQ(readout_text(PictureKind::angle, m, 0, 0, none, "."), "t = 0.000 c   fi = 30.00 °");
}

TEST(Readout, GivesTheCurveWhereTheRunHasBeen)
{
    RunRecord r;
    r.start({});
    r.append({2, 10, 1, 5});
    r.append({4, 20, 3, 7});
    const CoordinateMapping m({0, 30, 16, -30}, 400, 200);
    // 75 pixels: t = 3 s, halfway between the two steps.
    EXPECT_EQ(readout_text(PictureKind::angle, m, 75, 100, r, ","), "t = 3,000 c   fi = 0,00 °\nрасчёт: fi = 15,00 °");
    EXPECT_EQ(readout_text(PictureKind::energy, m, 75, 100, r, "."), "t = 3.000 c   W = 0.00 Дж\nрасчёт: W = 6.00 Дж");
    EXPECT_EQ(readout_text(PictureKind::angle, m, 150, 100, r, ","), "t = 6,000 c   fi = 0,00 °");
    EXPECT_EQ(readout_text(PictureKind::angle, m, 25, 100, r, ","), "t = 1,000 c   fi = 0,00 °");
}

} // namespace
} // namespace vp
