// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawing/coordinate_mapping.h"

#include <cmath>

namespace vp {
namespace {

bool usable_span(double from, double to, double pixels)
{
    const double span = to - from;
    return std::isfinite(from) && std::isfinite(to) && std::isfinite(span) && span != 0 && std::isfinite(pixels / span);
}

// Values small enough that a unit span from or about them is not lost to
// rounding.
bool can_step_from(double v)
{
    return std::isfinite(v) && (v + 1) - v > 0;
}

bool can_centre_on(double v)
{
    return std::isfinite(v) && (v + 0.5) - (v - 0.5) > 0;
}

} // namespace

LogicalRect usable_rect(const LogicalRect& requested, double width_px, double height_px)
{
    LogicalRect r = requested;
    if (!usable_span(r.left, r.right, width_px)) {
        r.left = can_step_from(requested.left) ? requested.left : 0.0;
        r.right = r.left + 1;
    }
    if (!usable_span(r.top, r.bottom, height_px)) {
        double centre = 0;
        if (can_centre_on(requested.top))
            centre = requested.top;
        else if (can_centre_on(requested.bottom))
            centre = requested.bottom;
        r.top = centre + 0.5;
        r.bottom = centre - 0.5;
    }
    return r;
}

CoordinateMapping::CoordinateMapping(const LogicalRect& requested, double width_px, double height_px)
    : rect_(usable_rect(requested, width_px, height_px)), x_scale_(width_px / (rect_.right - rect_.left)),
      y_scale_(height_px / (rect_.bottom - rect_.top))
{
}

} // namespace vp
