// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "drawing/coordinate_mapping.h"
#include "drawing/surface.h"

#include <cstdint>

namespace vp {

// What the drawing verbs of a surface take from the calls before them,
// besides its pixels.
struct DrawingState {
    LogicalPoint pen;
    int line_width = 1;
    LineStyle line_style = LineStyle::solid;
    LogicalRect scale; // as set_scale() was given it
};

// A surface that keeps its drawing, as a drawing put off until later needs
// it: its state between verbs can be read and restored, and it tells when
// what it holds may have changed.
class PersistentSurface : public Surface {
public:
    virtual DrawingState drawing_state() const = 0;
    virtual void set_drawing_state(const DrawingState& state) = 0;
    // Changes whenever the pixels change, or anything else that decides what
    // the same verbs would draw (the size, the colours, the font); values
    // are unique over all surfaces.
    virtual std::uint64_t generation() const = 0;
};

} // namespace vp
