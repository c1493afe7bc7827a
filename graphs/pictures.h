// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "graphs/plane_copy.h"
#include "graphs/scales.h"
#include "model/characteristics.h"
#include "model/parameters.h"

#include <string_view>

namespace vp {

// What a redraw draws on the five pictures once they are cleared, in this
// order: their scales (minmax), the plane (axes), the first frame of the
// animation (axes_2) and the three graphs (axes_x_t, axes_y_t, axes_W_t).
void draw_pictures(const Pictures& all, const Parameters& p, const Characteristics& c, const ZoomSettings& zoom,
                   const PlaneCopyRects& plane_copy, std::string_view decimal_separator);

} // namespace vp
