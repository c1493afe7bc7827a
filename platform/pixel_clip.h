// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace vp {

// A box in pixels of a picture, edges included.
struct PixelBox {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
};

// Cuts the segment (x1, y1)-(x2, y2) to the part inside the box.
// False when nothing of it lies inside, or when a coordinate or the segment's
// extent is not finite. The painter receives only such cut segments: its
// fixed-point rasteriser overflows on coordinates far outside a picture.
bool clip_segment(double& x1, double& y1, double& x2, double& y2, const PixelBox& box);

} // namespace vp
