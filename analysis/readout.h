// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/run_record.h"
#include "drawing/coordinate_mapping.h"

#include <string>
#include <string_view>

namespace vp {

// What a picture shows, for the readout under the mouse.
enum class PictureKind {
    plane,            // the Y-X plane or the animation over it, metres
    angle,            // fi against t
    angular_velocity, // wz against t
    energy,           // W against t
};

// The logical point under a position in the picture (logical pixels from
// its top-left corner): the inverse of the picture's mapping.
struct ReadoutPoint {
    double x = 0;
    double y = 0;
};
ReadoutPoint logical_point(const CoordinateMapping& mapping, double px, double py);

// The readout box's text, one or two lines:
//   "t = 3,456 c   fi = -12,34 °" (the point under the mouse), and, where
//   the kept run has reached that time, "расчёт: fi = -11,98 °", the curve's
//   value there, linear between the steps;
//   over the plane "X = 0,512 м   Y = -0,230 м": X down, Y across, as the
//   plane's axes are named.
// Numbers take the separator given, with 3 decimals for time, angular
// velocity and lengths and 2 for angle and energy, more where a pixel is finer.
std::string readout_text(PictureKind kind, const CoordinateMapping& mapping, double px, double py, const RunRecord& run,
                         std::string_view decimal_separator);

} // namespace vp
