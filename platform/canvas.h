// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "drawing/coordinate_mapping.h"
#include "drawing/surface.h"
#include "platform/persistent_surface.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QRegion>
#include <QSize>
#include <QStaticText>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace vp {

// A persistent picture: an image that keeps everything drawn on it until it
// is cleared or resized, whether or not anything shows it.
//
// The image has the logical size times the device pixel ratio and carries
// that ratio, so that lines and text are drawn at the screen's resolution.
// Drawing is antialiased; lines of the axes' directions are laid on the
// device-pixel grid so that grid lines stay sharp, and those that run from
// edge to edge are filled as the whole pixels they cover. Long thick lines
// have their round ends drawn as discs, and filled circles are copied from
// an image drawn once, placed to a quarter of a device pixel: both differ
// from direct drawing only in the antialiasing of their edges.
//
// Drawing is confined to the visible area (the whole picture unless told
// otherwise): what lies wholly outside it is left out, clearing and copying
// stop at its edge, and what lies outside it is not kept. Whoever makes that
// area larger redraws the picture.
class Canvas final : public PersistentSurface {
public:
    Canvas();

    // A new image cleared to the background when the size or the ratio
    // changes; the same size and ratio keep the drawing.
    void resize(QSize logical_size, qreal device_pixel_ratio);
    QSize logical_size() const { return logical_size_; }
    // Everything drawn so far.
    const QImage& image() const;

    // The part of the picture that can be seen, in logical pixels, the
    // whole picture from any size on after show_whole() (the default); an
    // empty rectangle hides all of it. Drawing done while the area was
    // smaller is missing from the part that has been added.
    void set_visible_area(const QRect& area);
    void show_whole();

    void set_background(Rgb colour);
    Rgb background() const { return background_; }
    void set_foreground(Rgb colour);
    // The font of printed text. The default is "Times New Roman" of 15
    // pixels (11.25 points at 96 dots per inch), sized in pixels so that the
    // labels fit the graphs whatever the screen's font resolution.
    void set_font(const QFont& font);
    const QFont& font() const { return font_; }

    // Called after every change of the image with the logical rectangle that
    // changed (the widget repaints just that); a change in scattered places
    // is told rectangle by rectangle.
    void set_on_change(std::function<void(const QRect&)> on_change) { on_change_ = std::move(on_change); }

    // Changes whenever the image changes, or the size, colours, font or
    // visible area that decide what drawing gives; values are unique over
    // all canvases, so an image copied once can be recognised again.
    std::uint64_t generation() const override { return generation_; }

    // The logical-to-pixel mapping in force (in logical pixels).
    const CoordinateMapping& mapping() const { return mapping_; }

    DrawingState drawing_state() const override { return {pen_, line_width_, line_style_, requested_}; }
    void set_drawing_state(const DrawingState& state) override;
    qreal device_pixel_ratio() const { return ratio_; }

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
    void clear_and_copy_keyed(const Surface& source, const PixelRect& from, const PixelRect& to, Rgb key) override;

private:
    // Whether a source image holds the key colour, found once per source
    // generation: the plane changes only when it is redrawn, while it is
    // copied at every step of a run. With key pixels, the image with them
    // made transparent.
    struct KeyedSource {
        std::uint64_t generation = 0;
        Rgb key;
        bool has_key_pixels = false;
        QImage image;
    };
    // The last opaque copy that covered the visible area, and the device
    // pixels drawn over it since: copying the same again redoes only those.
    struct CopyMemory {
        std::uint64_t source_generation = 0; // 0: none
        QRect from, to;
        QRect drawn_over;
    };

    // A filled circle drawn once on a transparent image, then copied: the
    // body's discs are drawn at every step of a run, the same but for their
    // place. Centres are placed to a quarter of a device pixel.
    struct Disc {
        double radius = 0;  // device pixels
        int line_width = 0; // 0: no outline
        qreal ratio = 1;
        Rgb outline, fill;
        QPoint quarters; // the centre past whole device pixels
        QImage image;
    };

    QPainter& painter();
    void draw_disc(double cx, double cy, double r, int width, Rgb outline, Rgb fill);
    const Disc& disc(double radius, int width, Rgb outline, Rgb fill, QPoint quarters, int middle);
    void end_painting() const;
    void apply_visible_area();
    void drawn(const QRect& device_box);
    QRect logical_box(const QRect& device_box) const;
    void notify(const QRect& device_box);
    void notify(const QRegion& device_region);
    std::optional<QRegion> copy_changes(const QImage& source, QPoint offset, QRgb key);
    QRect device_box(const QRectF& logical) const;
    void fill_device(const QRect& box, Rgb colour);
    void rod(QPointF p, QPointF q, double half_width, Rgb colour, const QRect& touched);
    void block_copy(const QImage& source, const QRect& to, QPoint offset);
    void copy(const Surface& source, const PixelRect& from, const PixelRect& to, Rgb key, bool clear_first);
    void print_text(std::string_view text, bool inside);
    const KeyedSource& keyed(const Canvas& source, Rgb key);
    void remap();
    void segment(double x1, double y1, double x2, double y2, Rgb colour);
    void huge_circle(QPainter& painter, double cx, double cy, double r, std::optional<Rgb> fill);
    const QFontMetricsF& metrics();
    const QStaticText& laid_out(const QString& text);

    QImage image_;
    QSize logical_size_;
    qreal ratio_ = 1;
    std::optional<QRect> visible_request_;
    QRect visible_; // device pixels, inside the image
    LogicalRect requested_;
    CoordinateMapping mapping_;
    Rgb background_{255, 255, 255};
    Rgb foreground_{0, 0, 0};
    QFont font_;
    std::optional<QFontMetricsF> metrics_;
    // Texts laid out for the font and ratio: the labels come back at every
    // redraw.
    QHash<QString, QStaticText> texts_;
    int line_width_ = 1;
    LineStyle line_style_ = LineStyle::solid;
    LogicalPoint pen_;
    std::uint64_t generation_ = 0;
    KeyedSource keyed_;
    std::vector<Disc> discs_; // the oldest first
    CopyMemory copied_;
    std::function<void(const QRect&)> on_change_;
    // One painter for a whole run of drawing, ended when the image is read:
    // beginning a painter costs more than a grid line. Declared after the
    // image, so that it ends before the image goes.
    mutable QPainter painter_;
};

} // namespace vp
