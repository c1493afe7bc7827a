// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "graphs/plane_copy.h"
#include "graphs/scales.h"
#include "model/characteristics.h"
#include "model/parameters.h"
#include "model/runge_kutta.h"

#include <string_view>

namespace vp {

class Surface;

// The animation: the Y-X plane drawn once on Picture1, and on Picture2 each
// frame a copy of that plane with the body over it. Both pictures have the
// plane's logical square (x right, y DOWN, 0 at the rotation axis); the body
// at angle phi from the downward vertical points along (sin phi, cos phi).

// axes: the plane on Picture1 - light-green grid lines every dlina / n_setki
// from -dlina to dlina, tick dots and "0.00" labels (decimal point replaced
// by `decimal_separator`; none at +dlina, none at 0 on the vertical axis),
// black axes of width 3, the captions "X, м" (the downward axis) and "Y, м",
// and the dotted circle of radius x_c_m on which the centre of mass moves.
// Reads dlina, x_c_m, the plane's bounds and n_setki. Leaves Picture1 with
// line width 3 and solid lines.
void axes(Surface& Picture1, const Scales& s, const Parameters& p, const Characteristics& c, const ZoomSettings& zoom,
          std::string_view decimal_separator);

// The rod's start offset from the axis, 0.005 dlina in single precision: the
// rod is drawn from (delta_pop, delta_pop), so its thick end does not hide
// the crossing of the axes.
float delta_pop(double dlina);

// gruz: the body at angle `fi` (radians) on Picture2, over what is there.
// The sphere (when massa != 0) is a dark-red disc of radius r_shar_2 centred
// dlina - r_shar_2 from the axis with a white cavity of radius r_shar_1; the
// blue rod over it is 7 pixels wide, 1 for a weightless rod (massa_st = 0),
// and reaches the sphere's lowest point. Coordinates in single precision.
// Leaves Picture2 with line width 1.
void gruz(Surface& Picture2, const Parameters& p, double fi);

// Copies the plane from Picture1 onto Picture2 through the plane-copy
// rectangles, leaving out pure green (the key colour).
void copy_plane(Surface& Picture2, const Surface& Picture1, const PlaneCopyRects& rects);

// axes_2: the first frame, before a run: the plane copy, then the body at
// the starting angle fi0_rad. Does not clear Picture2.
void axes_2(Surface& Picture2, const Surface& Picture1, const PlaneCopyRects& rects, const Parameters& p,
            const Characteristics& c);

// One frame of a run: clears Picture2, copies the plane, draws the body at
// s.fi_new. No trace of earlier frames remains.
void draw_animation_frame(Surface& Picture2, const Surface& Picture1, const PlaneCopyRects& rects, const Parameters& p,
                          const RunState& s);

} // namespace vp
