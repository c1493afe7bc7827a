// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "drawing/coordinate_mapping.h"
#include "drawing/surface.h"

#include <QFont>
#include <QPicture>
#include <QSize>

class QPainter;

namespace vp {

// A picture drawn as shapes and text on any paint device: an SVG or PDF
// writer, where the picture stays lines and letters instead of pixels.
// Logical pixels are the device's units; lines, dots, circles and text are
// those of a Canvas of that size, without its device-pixel snapping.
//
// A copy from another PainterSurface draws what that one had drawn when it
// was first copied (each one records itself until then), placed from the
// source rectangle onto the destination one; the key colour is left out
// only in that nothing of the plane is drawn in it.
class PainterSurface final : public Surface {
public:
    // Draws on `painter` from now on, clipped to a picture of `size`.
    PainterSurface(QPainter& painter, QSize size, Rgb background, Rgb foreground, const QFont& font);
    ~PainterSurface() override;
    PainterSurface(const PainterSurface&) = delete;
    PainterSurface& operator=(const PainterSurface&) = delete;

    void set_scale(double left, double top, double right, double bottom) override;
    void clear() override;
    void set_line_width(int pixels) override { line_width_ = pixels; }
    void set_line_style(LineStyle style) override { line_style_ = style; }
    void line(double x1, double y1, double x2, double y2, Rgb colour) override;
    void line_to(double x, double y, Rgb colour) override;
    void dot(double x, double y) override;
    void circle(double x, double y, double radius, Rgb outline, std::optional<Rgb> fill) override;
    void print(std::string_view text) override { print_text(text, false); }
    void print_inside(std::string_view text) override { print_text(text, true); }
    void move_to(double x, double y) override { pen_ = {x, y}; }
    LogicalPoint pen() const override { return pen_; }
    Rgb foreground() const override { return foreground_; }
    void copy_keyed(const Surface& source, const PixelRect& from, const PixelRect& to, Rgb key) override;

private:
    void print_text(std::string_view text, bool inside);
    template <typename Draw>
    void draw(Draw&& how);

    QPainter& painter_;
    QSize size_;
    Rgb background_, foreground_;
    QFont font_;
    CoordinateMapping mapping_;
    int line_width_ = 1;
    LineStyle line_style_ = LineStyle::solid;
    LogicalPoint pen_;
    // Everything drawn, for a copy onto another surface.
    QPicture record_;
    QPainter* recorder_;
};

} // namespace vp
