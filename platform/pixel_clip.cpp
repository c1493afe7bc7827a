// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/pixel_clip.h"

#include <cmath>

namespace vp {
namespace {

enum Side : unsigned { inside = 0, left_of = 1, right_of = 2, above = 4, below = 8 };

unsigned side(double x, double y, const PixelBox& box)
{
    unsigned s = inside;
    if (x < box.left)
        s |= left_of;
    else if (x > box.right)
        s |= right_of;
    if (y < box.top)
        s |= above;
    else if (y > box.bottom)
        s |= below;
    return s;
}

} // namespace

// Cohen-Sutherland: an end outside is moved onto the edge it lies beyond,
// the edge coordinate taken exactly and the other one interpolated over at
// most the whole segment, so that a horizontal or vertical line from far
// away keeps its place to the bit.
bool clip_segment(double& x1, double& y1, double& x2, double& y2, const PixelBox& box)
{
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2) || !std::isfinite(dx) ||
        !std::isfinite(dy))
        return false;
    // Each end crosses at most two edges; more rounds mean rounding keeps it
    // outside, where nothing of it can show.
    for (int round = 0; round < 8; ++round) {
        const unsigned s1 = side(x1, y1, box);
        const unsigned s2 = side(x2, y2, box);
        if ((s1 | s2) == inside)
            return true;
        if ((s1 & s2) != inside)
            return false;
        const bool first = s1 != inside;
        const unsigned s = first ? s1 : s2;
        double x = 0, y = 0;
        if (s & above) {
            y = box.top;
            x = x1 + dx * ((box.top - y1) / dy);
        } else if (s & below) {
            y = box.bottom;
            x = x1 + dx * ((box.bottom - y1) / dy);
        } else if (s & left_of) {
            x = box.left;
            y = y1 + dy * ((box.left - x1) / dx);
        } else {
            x = box.right;
            y = y1 + dy * ((box.right - x1) / dx);
        }
        if (!std::isfinite(x) || !std::isfinite(y))
            return false;
        if (first) {
            x1 = x;
            y1 = y;
        } else {
            x2 = x;
            y2 = y;
        }
    }
    return false;
}

} // namespace vp
