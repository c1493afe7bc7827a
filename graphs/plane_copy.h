// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace vp {

// Where the trajectory plane is copied from (Picture1) and to (Picture2), in
// pixels of the pictures. The window's layout sets them on every pass. The
// destination height is single precision and becomes a whole number when
// used.
struct PlaneCopyRects {
    int source_left = 0, source_top = 0, source_width = 0, source_height = 0;
    int destination_left = 0, destination_top = 0, destination_width = 0;
    float destination_height = 0;
};

} // namespace vp
