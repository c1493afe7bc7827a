// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "graphs/plane_copy.h"
#include "shell/control_id.h"

#include <vector>

namespace vp {

// A control's place in the client area, in pixels. Single precision, as the
// factors 1.16, 2.4 and 0.8 and the halvings of the grid leave fractions.
struct PlaceF {
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;
};

struct Placement {
    Ctl control;
    PlaceF place;
};

// One pass of the window's layout for a client area of the given size. The
// window has no layout manager: the parameter and characteristics panels hang
// from the right edge, the current values from the bottom edge, and the
// drawing area is a square in the top-left corner that takes the rest of the
// width, or in a wide, low window the height above the current values.
struct WindowLayout {
    std::vector<Placement> placements; // in the order they are set
    PlaneCopyRects plane_copy;

    const PlaceF* find(Ctl control) const;
};

WindowLayout layout(int scale_width, int scale_height);

// The smallest client area in which no two controls overlap and all of them
// lie inside: the current values beside the panels, the panels' lowest
// control above the bottom edge.
struct ClientSize {
    int width = 0, height = 0;
};
ClientSize minimum_client_size();

// The pixel rectangle a control gets: edges rounded once, sizes that would be
// negative (a client area too small) clamped to zero.
struct ControlRect {
    int left = 0, top = 0, width = 0, height = 0;
};
ControlRect to_pixels(const PlaceF& place);

} // namespace vp
