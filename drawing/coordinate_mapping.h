// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace vp {

// A logical rectangle by its corners (left, top) and (right, bottom).
struct LogicalRect {
    double left = 0;
    double top = 0;
    double right = 1;
    double bottom = 1;
};

// The logical rectangle a picture can draw in. A requested rectangle whose
// span across or down is empty, not finite, or too thin to give a finite
// scale is replaced on that axis alone:
//   across: left .. left + 1 (a time graph of zero length keeps its start at
//           the left edge), or 0 .. 1 when left itself is unusable;
//   down:   a unit span centred on the given value, y growing upward (the
//           empty ranges come from zero amplitudes of graphs centred on 0),
//           the value being top, else bottom, else 0.
LogicalRect usable_rect(const LogicalRect& requested, double width_px, double height_px);

// Logical units to pixels of a picture of the given size. The mapping never
// divides by zero: the rectangle in force is usable_rect() of the request.
class CoordinateMapping {
public:
    CoordinateMapping() = default;
    CoordinateMapping(const LogicalRect& requested, double width_px, double height_px);

    double px(double x) const { return (x - rect_.left) * x_scale_; }
    double py(double y) const { return (y - rect_.top) * y_scale_; }
    // Pixels per logical unit; negative for y growing upward.
    double x_scale() const { return x_scale_; }
    double y_scale() const { return y_scale_; }
    const LogicalRect& rect() const { return rect_; }

private:
    LogicalRect rect_;
    double x_scale_ = 0;
    double y_scale_ = 0;
};

} // namespace vp
