// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/canvas.h"

#include "platform/pixel_clip.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>

namespace vp {
namespace {

std::uint64_t next_generation()
{
    static std::atomic<std::uint64_t> counter{0};
    return ++counter;
}

QColor to_qcolor(Rgb c)
{
    return QColor(c.red, c.green, c.blue);
}

QRgb to_qrgb(Rgb c)
{
    return qRgb(c.red, c.green, c.blue);
}

// Beyond this radius in pixels a circle is drawn as the arc that crosses the
// picture: a whole ellipse of that size would leave the rasteriser's range.
constexpr double largest_plain_radius = 1e5;
// Beyond this radius the arc cannot be placed to a pixel in double precision.
constexpr double largest_arc_radius = 1e12;
// Points of the visible arc of a huge circle; it is nearly straight there.
constexpr int arc_points = 256;

bool odd(int n)
{
    return n % 2 != 0;
}

// A line width in whole device pixels, so that it covers whole pixels at any
// device pixel ratio.
int device_width(int logical_width, qreal ratio)
{
    return std::max(1, static_cast<int>(std::lround(logical_width * ratio)));
}

// A coordinate across a line of that many device pixels, moved so the line
// covers whole device pixels: an odd width is centred in a pixel.
double snapped(double p, int device_line_width, qreal ratio)
{
    const double d = p * ratio;
    const double s = odd(device_line_width) ? std::floor(d) + 0.5 : std::round(d);
    return s / ratio;
}

QPen make_pen(Rgb colour, int device_line_width, qreal ratio, LineStyle style)
{
    QPen pen(to_qcolor(colour));
    pen.setWidthF(device_line_width / ratio);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    if (style == LineStyle::dotted) {
        // One pen width drawn, two left out: a line of separate dots.
        pen.setCapStyle(Qt::FlatCap);
        pen.setDashPattern({1.0, 2.0});
    }
    return pen;
}

} // namespace

Canvas::Canvas() : font_(QStringLiteral("Times New Roman")), generation_(next_generation())
{
    font_.setPixelSize(15);
    font_.setStyleHint(QFont::Serif);
    font_.setWeight(QFont::Normal);
}

void Canvas::resize(QSize logical_size, qreal device_pixel_ratio)
{
    logical_size = logical_size.expandedTo(QSize(0, 0));
    if (!(device_pixel_ratio > 0) || !std::isfinite(device_pixel_ratio))
        device_pixel_ratio = 1;
    if (logical_size == logical_size_ && device_pixel_ratio == ratio_ && !image_.isNull())
        return;
    logical_size_ = logical_size;
    ratio_ = device_pixel_ratio;
    const QSize device(static_cast<int>(std::lround(logical_size.width() * ratio_)),
                       static_cast<int>(std::lround(logical_size.height() * ratio_)));
    image_ = QImage(device, QImage::Format_RGB32);
    image_.setDevicePixelRatio(ratio_);
    image_.fill(to_qcolor(background_));
    remap();
    changed();
}

void Canvas::set_scale(double left, double top, double right, double bottom)
{
    requested_ = {left, top, right, bottom};
    remap();
}

void Canvas::remap()
{
    mapping_ = CoordinateMapping(requested_, logical_size_.width(), logical_size_.height());
}

void Canvas::clear()
{
    if (image_.isNull())
        return;
    image_.fill(to_qcolor(background_));
    changed();
}

void Canvas::set_line_width(int pixels)
{
    line_width_ = std::clamp(pixels, 1, 1000);
}

void Canvas::begin(QPainter& painter)
{
    painter.begin(&image_);
    painter.setRenderHint(QPainter::Antialiasing);
}

void Canvas::changed()
{
    generation_ = next_generation();
    if (on_change_)
        on_change_();
}

void Canvas::segment(double x1, double y1, double x2, double y2, Rgb colour)
{
    if (image_.isNull())
        return;
    double a = mapping_.px(x1), b = mapping_.py(y1), c = mapping_.px(x2), d = mapping_.py(y2);
    const double margin = line_width_ + 2;
    const PixelBox box{-margin, -margin, logical_size_.width() + margin, logical_size_.height() + margin};
    if (!clip_segment(a, b, c, d, box))
        return;
    const int width = device_width(line_width_, ratio_);
    if (std::abs(a - c) < 1e-9) {
        a = snapped(a, width, ratio_);
        c = a;
    }
    if (std::abs(b - d) < 1e-9) {
        b = snapped(b, width, ratio_);
        d = b;
    }
    QPainter painter;
    begin(painter);
    painter.setPen(make_pen(colour, width, ratio_, line_style_));
    painter.drawLine(QPointF(a, b), QPointF(c, d));
    painter.end();
    changed();
}

void Canvas::line(double x1, double y1, double x2, double y2, Rgb colour)
{
    pen_ = {x2, y2};
    segment(x1, y1, x2, y2, colour);
}

void Canvas::line_to(double x, double y, Rgb colour)
{
    const LogicalPoint from = pen_;
    pen_ = {x, y};
    segment(from.x, from.y, x, y, colour);
}

void Canvas::dot(double x, double y)
{
    pen_ = {x, y};
    if (image_.isNull())
        return;
    const double px = mapping_.px(x);
    const double py = mapping_.py(y);
    const double margin = line_width_ + 2;
    if (!(px >= -margin && px <= logical_size_.width() + margin && py >= -margin &&
          py <= logical_size_.height() + margin))
        return;
    const int width = device_width(line_width_, ratio_);
    QPainter painter;
    begin(painter);
    painter.setPen(Qt::NoPen);
    painter.setBrush(to_qcolor(foreground_));
    if (line_width_ <= 1) {
        // A one-pixel dot is a whole pixel, as a grid tick must be sharp.
        const double side = width / ratio_;
        const double left = snapped(px, width, ratio_) - side / 2;
        const double top = snapped(py, width, ratio_) - side / 2;
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.fillRect(QRectF(left, top, side, side), to_qcolor(foreground_));
    } else {
        const double r = width / ratio_ / 2;
        painter.drawEllipse(QPointF(snapped(px, width, ratio_), snapped(py, width, ratio_)), r, r);
    }
    painter.end();
    changed();
}

void Canvas::circle(double x, double y, double radius, Rgb outline, std::optional<Rgb> fill)
{
    if (image_.isNull())
        return;
    const double cx = mapping_.px(x);
    const double cy = mapping_.py(y);
    const double r = std::abs(radius * mapping_.x_scale());
    // A radius of zero leaves nothing to draw (the cavity of a solid sphere).
    if (!std::isfinite(cx) || !std::isfinite(cy) || !std::isfinite(r) || r == 0)
        return;
    const double margin = line_width_ + 2;
    const double w = logical_size_.width();
    const double h = logical_size_.height();
    if (cx + r < -margin || cx - r > w + margin || cy + r < -margin || cy - r > h + margin)
        return;
    const int width = device_width(line_width_, ratio_);
    QPainter painter;
    begin(painter);
    painter.setPen(make_pen(outline, width, ratio_, line_style_));
    if (fill)
        painter.setBrush(to_qcolor(*fill));
    else
        painter.setBrush(Qt::NoBrush);
    if (r <= largest_plain_radius)
        painter.drawEllipse(QPointF(cx, cy), r, r);
    else
        huge_circle(painter, cx, cy, r, fill);
    painter.end();
    changed();
}

// The part of a huge circle that meets the picture: its arc across the
// picture, and for a filled circle the ring sector between that arc and the
// picture's nearest point, which covers the whole disc inside the picture.
void Canvas::huge_circle(QPainter& painter, double cx, double cy, double r, std::optional<Rgb> fill)
{
    const double margin = line_width_ + 2;
    const double left = -margin, top = -margin;
    const double right = logical_size_.width() + margin, bottom = logical_size_.height() + margin;
    const std::array<QPointF, 4> corners{QPointF(left, top), QPointF(right, top), QPointF(right, bottom),
                                         QPointF(left, bottom)};
    const double nx = std::clamp(cx, left, right) - cx;
    const double ny = std::clamp(cy, top, bottom) - cy;
    const double nearest = std::hypot(nx, ny);
    double farthest = 0;
    for (const QPointF& p : corners)
        farthest = std::max(farthest, std::hypot(p.x() - cx, p.y() - cy));
    if (nearest > r)
        return;
    if (farthest < r || r > largest_arc_radius) {
        // Either the picture lies wholly inside the disc, or the edge cannot
        // be placed: the picture is then inside when its centre is.
        const bool inside = farthest < r || std::hypot((left + right) / 2 - cx, (top + bottom) / 2 - cy) < r;
        if (inside && fill) {
            painter.setPen(Qt::NoPen);
            painter.drawRect(QRectF(left, top, right - left, bottom - top));
        }
        return;
    }
    // The picture seen from the far centre spans less than half a turn about
    // the direction to its middle.
    const double ux = (left + right) / 2 - cx;
    const double uy = (top + bottom) / 2 - cy;
    const double base = std::atan2(uy, ux);
    double from = 0, to = 0;
    for (const QPointF& p : corners) {
        const double vx = p.x() - cx, vy = p.y() - cy;
        const double a = std::atan2(ux * vy - uy * vx, ux * vx + uy * vy);
        from = std::min(from, a);
        to = std::max(to, a);
    }
    QPolygonF arc;
    arc.reserve(arc_points + 1);
    for (int i = 0; i <= arc_points; ++i) {
        const double a = base + from + (to - from) * i / arc_points;
        arc << QPointF(cx + r * std::cos(a), cy + r * std::sin(a));
    }
    if (fill) {
        const double inner = std::max(0.0, nearest - 1);
        QPolygonF sector = arc;
        sector << QPointF(cx + inner * std::cos(base + to), cy + inner * std::sin(base + to))
               << QPointF(cx + inner * std::cos(base + from), cy + inner * std::sin(base + from));
        const QPen outline = painter.pen();
        painter.setPen(Qt::NoPen);
        painter.drawPolygon(sector);
        painter.setPen(outline);
    }
    painter.drawPolyline(arc);
}

void Canvas::print(std::string_view text)
{
    print_text(text, false);
}

void Canvas::print_inside(std::string_view text)
{
    print_text(text, true);
}

void Canvas::print_text(std::string_view text, bool inside)
{
    if (image_.isNull() || text.empty())
        return;
    const QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    const QFontMetricsF metrics(font_, &image_);
    double px = mapping_.px(pen_.x);
    if (inside)
        px = std::min(px, logical_size_.width() - metrics.horizontalAdvance(shown));
    const double py = mapping_.py(pen_.y);
    // Text runs right and down from its corner; far to the left or above it
    // cannot reach the picture either.
    constexpr double reach = 1e4;
    if (!(px >= -reach && px <= logical_size_.width() && py >= -reach && py <= logical_size_.height()))
        return;
    QPainter painter;
    begin(painter);
    painter.setFont(font_);
    painter.setPen(to_qcolor(foreground_));
    // On whole device pixels, so that the glyphs are not smeared.
    const double x = std::round(px * ratio_) / ratio_;
    const double baseline = std::round((py + metrics.ascent()) * ratio_) / ratio_;
    painter.drawText(QPointF(x, baseline), shown);
    painter.end();
    changed();
}

void Canvas::copy_keyed(const Surface& source, const PixelRect& from, const PixelRect& to, Rgb key)
{
    const auto* src = dynamic_cast<const Canvas*>(&source);
    if (src == nullptr || src == this || src->image_.isNull() || image_.isNull() || from.width <= 0 ||
        from.height <= 0 || to.width <= 0 || to.height <= 0)
        return;
    if (keyed_.generation != src->generation_ || keyed_.key != key) {
        keyed_.generation = src->generation_;
        keyed_.key = key;
        keyed_.image = QImage();
        const QImage& image = src->image_;
        const QRgb key_pixel = to_qrgb(key);
        keyed_.has_key_pixels = false;
        for (int y = 0; y < image.height() && !keyed_.has_key_pixels; ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            keyed_.has_key_pixels = std::find(row, row + image.width(), key_pixel) != row + image.width();
        }
        if (keyed_.has_key_pixels) {
            keyed_.image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
            for (int y = 0; y < keyed_.image.height(); ++y) {
                auto* row = reinterpret_cast<QRgb*>(keyed_.image.scanLine(y));
                std::replace(row, row + keyed_.image.width(), key_pixel, QRgb{0});
            }
        }
    }
    const qreal sr = src->ratio_;
    const QRectF source_rect(from.left * sr, from.top * sr, from.width * sr, from.height * sr);
    const QRectF target(to.left, to.top, to.width, to.height);
    QPainter painter(&image_);
    if (keyed_.has_key_pixels) {
        painter.drawImage(target, keyed_.image, source_rect);
    } else {
        // No pixel to leave out: a plain opaque copy, a block transfer when
        // the sizes agree.
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(target, src->image_, source_rect);
    }
    painter.end();
    changed();
}

} // namespace vp
