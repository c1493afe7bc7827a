// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/coordinate_mapping.h"
#include "platform/surface.h"

#include <QFont>
#include <QImage>
#include <QSize>

#include <cstdint>
#include <functional>

class QPainter;

namespace vp {

// A persistent picture: an image that keeps everything drawn on it until it
// is cleared or resized, whether or not anything shows it.
//
// The image has the logical size times the device pixel ratio and carries
// that ratio, so that lines and text are drawn at the screen's resolution.
// Drawing is antialiased; lines of the axes' directions are laid on the
// device-pixel grid so that grid lines stay sharp.
class Canvas final : public Surface {
public:
    Canvas();

    // A new image cleared to the background when the size or the ratio
    // changes; the same size and ratio keep the drawing.
    void resize(QSize logical_size, qreal device_pixel_ratio);
    QSize logical_size() const { return logical_size_; }
    const QImage& image() const { return image_; }

    void set_background(Rgb colour) { background_ = colour; }
    Rgb background() const { return background_; }
    void set_foreground(Rgb colour) { foreground_ = colour; }
    // The font of printed text. The default is "Times New Roman" of 15
    // pixels (11.25 points at 96 dots per inch), sized in pixels so that the
    // labels fit the graphs whatever the screen's font resolution.
    void set_font(const QFont& font) { font_ = font; }
    const QFont& font() const { return font_; }

    // Called after every change of the image (the widget schedules a repaint).
    void set_on_change(std::function<void()> on_change) { on_change_ = std::move(on_change); }

    // Changes whenever the image changes; values are unique over all canvases,
    // so an image copied once can be recognised again.
    std::uint64_t generation() const { return generation_; }

    // The logical-to-pixel mapping in force (in logical pixels).
    const CoordinateMapping& mapping() const { return mapping_; }

    void set_scale(double left, double top, double right, double bottom) override;
    void clear() override;
    void set_line_width(int pixels) override;
    void set_line_style(LineStyle style) override { line_style_ = style; }
    void line(double x1, double y1, double x2, double y2, Rgb colour) override;
    void line_to(double x, double y, Rgb colour) override;
    void dot(double x, double y) override;
    void circle(double x, double y, double radius, Rgb outline, std::optional<Rgb> fill) override;
    void print(std::string_view text) override;
    void print_inside(std::string_view text) override;
    void move_to(double x, double y) override { pen_ = {x, y}; }
    LogicalPoint pen() const override { return pen_; }
    Rgb foreground() const override { return foreground_; }
    void copy_keyed(const Surface& source, const PixelRect& from, const PixelRect& to, Rgb key) override;

private:
    // The source image with its key-coloured pixels made transparent, built
    // once per source generation: the plane changes only when it is redrawn,
    // while it is copied at every step of a run.
    struct KeyedCopy {
        std::uint64_t generation = 0;
        Rgb key;
        bool has_key_pixels = false;
        QImage image;
    };

    void begin(QPainter& painter);
    void print_text(std::string_view text, bool inside);
    void changed();
    void remap();
    void segment(double x1, double y1, double x2, double y2, Rgb colour);
    void huge_circle(QPainter& painter, double cx, double cy, double r, std::optional<Rgb> fill);

    QImage image_;
    QSize logical_size_;
    qreal ratio_ = 1;
    LogicalRect requested_;
    CoordinateMapping mapping_;
    Rgb background_{255, 255, 255};
    Rgb foreground_{0, 0, 0};
    QFont font_;
    int line_width_ = 1;
    LineStyle line_style_ = LineStyle::solid;
    LogicalPoint pen_;
    std::uint64_t generation_ = 0;
    KeyedCopy keyed_;
    std::function<void()> on_change_;
};

} // namespace vp
