// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/canvas.h"

#include "platform/pixel_clip.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPolygonF>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstring>
#include <limits>
#include <utility>

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

// How far, in device pixels, a shape's pixels are taken to reach past its
// geometry: a margin over its antialiased edges.
constexpr double edge_reach = 1.5;
// How far glyphs may stand past a text's advance and line, in ems.
constexpr double glyph_overhang = 0.25;
// Filled circles up to this radius in device pixels are drawn once and
// copied; the body's two discs and the rod's two ends at 16 quarter-pixel
// places make 64 images.
constexpr double largest_disc = 512;
constexpr std::size_t max_discs = 64;
// Labels kept laid out: those of a few redraws of a picture.
constexpr qsizetype max_texts = 256;

bool whole(double v)
{
    return v == std::floor(v);
}

bool whole(const QRectF& r)
{
    return whole(r.left()) && whole(r.top()) && whole(r.width()) && whole(r.height());
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

const QImage& Canvas::image() const
{
    end_painting();
    return image_;
}

void Canvas::end_painting() const
{
    if (painter_.isActive())
        painter_.end();
}

QPainter& Canvas::painter()
{
    if (!painter_.isActive()) {
        painter_.begin(&image_);
        painter_.setRenderHint(QPainter::Antialiasing);
        painter_.setFont(font_);
    }
    return painter_;
}

void Canvas::resize(QSize logical_size, qreal device_pixel_ratio)
{
    logical_size = logical_size.expandedTo(QSize(0, 0));
    if (!(device_pixel_ratio > 0) || !std::isfinite(device_pixel_ratio))
        device_pixel_ratio = 1;
    if (logical_size == logical_size_ && device_pixel_ratio == ratio_ && !image_.isNull())
        return;
    end_painting();
    logical_size_ = logical_size;
    ratio_ = device_pixel_ratio;
    const QSize device(static_cast<int>(std::lround(logical_size.width() * ratio_)),
                       static_cast<int>(std::lround(logical_size.height() * ratio_)));
    image_ = QImage(device, QImage::Format_RGB32);
    image_.setDevicePixelRatio(ratio_);
    image_.fill(to_qcolor(background_));
    metrics_.reset();
    texts_.clear();
    copied_ = {};
    visible_ = QRect();
    apply_visible_area();
    remap();
    generation_ = next_generation();
    notify(visible_);
}

void Canvas::set_visible_area(const QRect& area)
{
    visible_request_ = area;
    apply_visible_area();
}

void Canvas::show_whole()
{
    visible_request_.reset();
    apply_visible_area();
}

void Canvas::apply_visible_area()
{
    QRect area = image_.rect();
    if (visible_request_) {
        const QRect& r = *visible_request_;
        area &= QRectF(r.x() * ratio_, r.y() * ratio_, r.width() * ratio_, r.height() * ratio_).toAlignedRect();
    }
    if (area == visible_)
        return;
    end_painting();
    // A copy remembered over a smaller area did not reach the part added.
    if (!visible_.contains(area))
        copied_ = {};
    visible_ = area;
    generation_ = next_generation();
}

void Canvas::set_background(Rgb colour)
{
    if (colour != background_)
        generation_ = next_generation();
    background_ = colour;
}

void Canvas::set_foreground(Rgb colour)
{
    if (colour != foreground_)
        generation_ = next_generation();
    foreground_ = colour;
}

void Canvas::set_font(const QFont& font)
{
    generation_ = next_generation();
    font_ = font;
    metrics_.reset();
    texts_.clear();
    if (painter_.isActive())
        painter_.setFont(font_);
}

const QStaticText& Canvas::laid_out(const QString& text)
{
    const auto found = texts_.constFind(text);
    if (found != texts_.constEnd())
        return *found;
    if (texts_.size() >= max_texts)
        texts_.clear();
    QStaticText laid(text);
    laid.setTextFormat(Qt::PlainText);
    laid.prepare(QTransform::fromScale(ratio_, ratio_), font_);
    return *texts_.insert(text, laid);
}

const QFontMetricsF& Canvas::metrics()
{
    if (!metrics_)
        metrics_.emplace(font_, &image_);
    return *metrics_;
}

void Canvas::set_scale(double left, double top, double right, double bottom)
{
    requested_ = {left, top, right, bottom};
    remap();
}

void Canvas::set_drawing_state(const DrawingState& state)
{
    pen_ = state.pen;
    set_line_width(state.line_width);
    line_style_ = state.line_style;
    const LogicalRect& r = state.scale;
    set_scale(r.left, r.top, r.right, r.bottom);
}

void Canvas::remap()
{
    mapping_ = CoordinateMapping(requested_, logical_size_.width(), logical_size_.height());
}

// The device pixels that a shape of these logical bounds can touch, its
// antialiased edges included, within the visible area.
QRect Canvas::device_box(const QRectF& logical) const
{
    // Cut to the picture first: a huge circle's bounds do not fit an int.
    const QRectF picture(-edge_reach, -edge_reach, logical_size_.width() + 2 * edge_reach,
                         logical_size_.height() + 2 * edge_reach);
    const QRectF r = logical.intersected(picture);
    if (r.isEmpty())
        return {};
    const QRectF device(r.left() * ratio_ - edge_reach, r.top() * ratio_ - edge_reach,
                        r.width() * ratio_ + 2 * edge_reach, r.height() * ratio_ + 2 * edge_reach);
    return device.toAlignedRect() & visible_;
}

QRect Canvas::logical_box(const QRect& device_box) const
{
    return QRectF(device_box.x() / ratio_, device_box.y() / ratio_, device_box.width() / ratio_,
                  device_box.height() / ratio_)
        .toAlignedRect();
}

void Canvas::notify(const QRect& device_box)
{
    if (device_box.isEmpty())
        return;
    generation_ = next_generation();
    if (on_change_)
        on_change_(logical_box(device_box));
}

void Canvas::notify(const QRegion& device_region)
{
    if (device_region.isEmpty())
        return;
    generation_ = next_generation();
    if (on_change_) {
        for (const QRect& r : device_region)
            on_change_(logical_box(r));
    }
}

void Canvas::drawn(const QRect& device_box)
{
    copied_.drawn_over |= device_box;
    notify(device_box);
}

// Whole pixels are written directly: the same pixels the painter would give
// an opaque colour or a copy at the same scale, for less.
void Canvas::fill_device(const QRect& box, Rgb colour)
{
    const QRect r = box & visible_;
    if (r.isEmpty())
        return;
    const QRgb value = to_qrgb(colour);
    if (r == image_.rect()) {
        image_.fill(value);
        return;
    }
    const qsizetype stride = image_.bytesPerLine();
    uchar* const first = image_.bits() + r.top() * stride + r.left() * static_cast<qsizetype>(sizeof(QRgb));
    // A large area (the clearing of a picture cut by the window's edge)
    // through an image over just its pixels, whose fill is vectorised.
    constexpr int large_area = 4096;
    if (r.width() * r.height() >= large_area) {
        QImage(first, r.width(), r.height(), stride, image_.format()).fill(value);
        return;
    }
    for (int y = 0; y < r.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(first + y * stride);
        std::fill(row, row + r.width(), value);
    }
}

namespace {

// A segment from p to q and the points within a distance of it, device
// pixels: where a row of pixel centres meets them.
class Rod {
public:
    Rod(QPointF p, QPointF q) : p_(p), q_(q)
    {
        const double ax = q.x() - p.x(), ay = q.y() - p.y();
        length_ = std::sqrt(ax * ax + ay * ay);
        ux_ = ax / length_;
        uy_ = ay / length_;
        across_ = uy_ * p.x() - ux_ * p.y();
        along_ = -uy_ * p.y() - ux_ * p.x();
    }

    // The x of the row's centres within `reach` of the segment, the open
    // interval (lo, hi), empty when lo >= hi.
    std::pair<double, double> span(double y, double reach) const
    {
        constexpr double none = std::numeric_limits<double>::infinity();
        // Beside the segment: the distance across it, ux*y + across_ - uy*x,
        // under reach, and the way along it, ux*x + uy*y + along_, between 0
        // and the length.
        double lo = -none, hi = none;
        const double middle = ux_ * y + across_;
        if (std::abs(uy_) > flat)
            narrow(lo, hi, (middle - reach) / uy_, (middle + reach) / uy_);
        else if (!(std::abs(middle) < reach))
            hi = lo;
        const double start = uy_ * y + along_;
        if (std::abs(ux_) > flat)
            narrow(lo, hi, -start / ux_, (length_ - start) / ux_);
        else if (!(start > 0 && start < length_))
            hi = lo;
        if (!(lo < hi)) {
            lo = none;
            hi = -none;
        }
        widen_by_end(p_, y, reach, lo, hi);
        widen_by_end(q_, y, reach, lo, hi);
        return {lo, hi};
    }

    // How far the point (x, y) lies from the segment.
    double distance(double x, double y) const
    {
        const double dx = x - p_.x(), dy = y - p_.y();
        const double along = dx * ux_ + dy * uy_;
        if (along >= 0 && along <= length_)
            return std::abs(dy * ux_ - dx * uy_);
        const QPointF end = along < 0 ? p_ : q_;
        return std::hypot(x - end.x(), y - end.y());
    }

private:
    // A direction this near an axis leaves a bound that does not depend on x.
    static constexpr double flat = 1e-12;

    static void narrow(double& lo, double& hi, double a, double b)
    {
        lo = std::max(lo, std::min(a, b));
        hi = std::min(hi, std::max(a, b));
    }

    static void widen_by_end(QPointF end, double y, double reach, double& lo, double& hi)
    {
        const double dy = y - end.y();
        if (std::abs(dy) < reach) {
            const double half = std::sqrt(reach * reach - dy * dy);
            lo = std::min(lo, end.x() - half);
            hi = std::max(hi, end.x() + half);
        }
    }

    QPointF p_, q_;
    double length_ = 0, ux_ = 0, uy_ = 0;
    double across_ = 0, along_ = 0;
};

} // namespace

// The rod, a thick solid line with round ends (device pixels), each pixel
// covered by how far its centre lies inside the edge: the pixels wholly
// inside are filled, and only the one or two at each end of a row are
// measured. Qt strokes such a line by building its outline, the ends' arcs
// flattened, and filling it with exact area coverage, at three times the
// cost; the two differ by a few levels at the edge.
void Canvas::rod(QPointF p, QPointF q, double half_width, Rgb colour, const QRect& touched)
{
    const Rod shape(p, q);
    const double reach = half_width + 0.5;
    const double inside = half_width - 0.5;
    const QRgb solid = to_qrgb(colour);
    const QRect r = touched & visible_;
    uchar* const bits = image_.bits();
    const qsizetype stride = image_.bytesPerLine();
    // A column as an int, kept to the row first: an empty span's ends are
    // infinite, and a nearly level rod's far beyond the picture.
    auto column = [&r](double x) { return static_cast<int>(std::clamp(x, r.left() - 1.0, r.right() + 1.0)); };
    for (int y = r.top(); y <= r.bottom(); ++y) {
        const double cy = y + 0.5;
        const auto [lo, hi] = shape.span(cy, reach);
        const int first = std::max(r.left(), column(std::floor(lo - 0.5)));
        const int last = std::min(r.right(), column(std::ceil(hi - 0.5)));
        if (first > last)
            continue;
        const auto [inner_lo, inner_hi] = shape.span(cy, inside);
        int solid_first = std::max(first, column(std::ceil(inner_lo - 0.5)));
        const int solid_last = std::min(last, column(std::floor(inner_hi - 0.5)));
        if (solid_first > solid_last)
            solid_first = last + 1;
        auto* row = reinterpret_cast<QRgb*>(bits + static_cast<qsizetype>(y) * stride);
        for (int x = first; x <= last; ++x) {
            if (x == solid_first) {
                std::fill(row + solid_first, row + solid_last + 1, solid);
                x = solid_last;
                continue;
            }
            const double coverage = reach - shape.distance(x + 0.5, cy);
            if (coverage <= 0)
                continue;
            const int a = static_cast<int>(std::min(coverage, 1.0) * 255 + 0.5);
            auto mix = [a](int over, int under) { return (over * a + under * (255 - a) + 127) / 255; };
            row[x] = qRgb(mix(qRed(solid), qRed(row[x])), mix(qGreen(solid), qGreen(row[x])),
                          mix(qBlue(solid), qBlue(row[x])));
        }
    }
}

namespace {

bool holds_pixel(const QRgb* row, int n, QRgb value)
{
    int i = 0;
#if defined(__SSE2__)
    // Four pixels a compare: the plane is searched for the key colour at
    // every copy of a redrawn plane, millions of pixels at a ratio of 2.
    const __m128i wanted = _mm_set1_epi32(static_cast<int>(value));
    __m128i found = _mm_setzero_si128();
    for (; i + 4 <= n; i += 4)
        found =
            _mm_or_si128(found, _mm_cmpeq_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(row + i)), wanted));
    if (_mm_movemask_epi8(found) != 0)
        return true;
#endif
    return std::find(row + i, row + n, value) != row + n;
}

} // namespace

// The opaque copy over the whole visible area from the source's pixels
// `offset` away, both images in the same format, written only where the
// pixels differ: a redrawn plane mostly matches what the animation holds,
// and only the part that changed is repainted. Stops without a result at
// the first row with a pixel of the key colour, which the copy leaves out;
// the rows before it are then already as the copy leaves them.
std::optional<QRegion> Canvas::copy_changes(const QImage& source, QPoint offset, QRgb key)
{
    // Changes are gathered in blocks of 32 logical pixels across and 16
    // down: small enough to repaint little, few enough to cost little.
    const int block_width = std::max(1, static_cast<int>(std::lround(32 * ratio_)));
    const int band_height = std::max(1, static_cast<int>(std::lround(16 * ratio_)));
    const QRect r = visible_;
    if (r.isEmpty())
        return QRegion();
    const int blocks = (r.width() + block_width - 1) / block_width;
    std::vector<bool> changed(static_cast<std::size_t>(blocks));
    std::vector<QRect> rects;
    uchar* const bits = image_.bits();
    const qsizetype stride = image_.bytesPerLine();
    int band_top = r.top();
    for (int y = r.top(); y <= r.bottom(); ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(source.constScanLine(y + offset.y())) + r.left() + offset.x();
        auto* to = reinterpret_cast<QRgb*>(bits + static_cast<qsizetype>(y) * stride) + r.left();
        if (holds_pixel(from, r.width(), key))
            return std::nullopt;
        const auto row_bytes = static_cast<std::size_t>(r.width()) * sizeof(QRgb);
        if (std::memcmp(from, to, row_bytes) != 0) {
            for (int b = 0; b < blocks; ++b) {
                const int x = b * block_width;
                const auto bytes = static_cast<std::size_t>(std::min(block_width, r.width() - x)) * sizeof(QRgb);
                if (std::memcmp(from + x, to + x, bytes) != 0) {
                    std::memcpy(to + x, from + x, bytes);
                    changed[static_cast<std::size_t>(b)] = true;
                }
            }
        }
        if (y - band_top + 1 < band_height && y < r.bottom())
            continue;
        for (int b = 0; b < blocks;) {
            if (!changed[static_cast<std::size_t>(b)]) {
                ++b;
                continue;
            }
            const int first = b;
            while (b < blocks && changed[static_cast<std::size_t>(b)])
                changed[static_cast<std::size_t>(b++)] = false;
            const int left = r.left() + first * block_width;
            const int right = std::min(r.right(), r.left() + b * block_width - 1);
            rects.emplace_back(QPoint(left, band_top), QPoint(right, y));
        }
        band_top = y + 1;
    }
    QRegion region;
    region.setRects(rects.data(), static_cast<int>(rects.size()));
    return region;
}

// The pixels of `to` (visible ones only) from the source's pixels `offset`
// away, both images in the same format.
void Canvas::block_copy(const QImage& source, const QRect& to, QPoint offset)
{
    const QRect r = to & visible_ & source.rect().translated(-offset);
    if (r.isEmpty())
        return;
    const auto bytes = static_cast<std::size_t>(r.width()) * sizeof(QRgb);
    for (int y = r.top(); y <= r.bottom(); ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(source.constScanLine(y + offset.y())) + r.left() + offset.x();
        std::memcpy(reinterpret_cast<QRgb*>(image_.scanLine(y)) + r.left(), from, bytes);
    }
}

void Canvas::clear()
{
    if (image_.isNull())
        return;
    fill_device(visible_, background_);
    copied_ = {};
    notify(visible_);
}

void Canvas::set_line_width(int pixels)
{
    line_width_ = std::clamp(pixels, 1, 1000);
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
    const bool vertical = std::abs(a - c) < 1e-9;
    const bool horizontal = std::abs(b - d) < 1e-9;
    if (vertical) {
        a = snapped(a, width, ratio_);
        c = a;
    }
    if (horizontal) {
        b = snapped(b, width, ratio_);
        d = b;
    }
    const double half = width / ratio_ / 2;
    const QRect touched = device_box(QRectF(QPointF(std::min(a, c) - half, std::min(b, d) - half),
                                            QPointF(std::max(a, c) + half, std::max(b, d) + half)));
    if (touched.isEmpty())
        return;
    // A snapped line that runs from edge to edge covers whole pixels, its
    // round caps lying outside the picture: filled as such, it needs no
    // antialiasing and gives the same pixels.
    const double w = image_.width(), h = image_.height();
    if (line_style_ == LineStyle::solid && horizontal && !vertical && std::min(a, c) * ratio_ <= 0 &&
        std::max(a, c) * ratio_ >= w) {
        const int top = static_cast<int>(std::lround(b * ratio_ - width / 2.0));
        fill_device(QRect(0, top, image_.width(), width), colour);
    } else if (line_style_ == LineStyle::solid && vertical && !horizontal && std::min(b, d) * ratio_ <= 0 &&
               std::max(b, d) * ratio_ >= h) {
        const int left = static_cast<int>(std::lround(a * ratio_ - width / 2.0));
        fill_device(QRect(left, 0, width, image_.height()), colour);
    } else if (line_style_ == LineStyle::solid && width > 1 && !(vertical && horizontal)) {
        rod(QPointF(a, b) * ratio_, QPointF(c, d) * ratio_, width / 2.0, colour, touched);
    } else {
        QPainter& p = painter();
        p.setPen(make_pen(colour, width, ratio_, line_style_));
        p.drawLine(QPointF(a, b), QPointF(c, d));
    }
    drawn(touched);
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
    const double side = width / ratio_;
    const double cx = snapped(px, width, ratio_);
    const double cy = snapped(py, width, ratio_);
    const QRect touched = device_box(QRectF(cx - side / 2, cy - side / 2, side, side));
    if (touched.isEmpty())
        return;
    if (line_width_ <= 1) {
        // A one-pixel dot is a whole pixel, as a grid tick must be sharp.
        const int left = static_cast<int>(std::lround(cx * ratio_ - width / 2.0));
        const int top = static_cast<int>(std::lround(cy * ratio_ - width / 2.0));
        fill_device(QRect(left, top, width, width), foreground_);
    } else {
        QPainter& p = painter();
        p.setPen(Qt::NoPen);
        p.setBrush(to_qcolor(foreground_));
        p.drawEllipse(QPointF(cx, cy), side / 2, side / 2);
    }
    drawn(touched);
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
    const double reach = r + width / ratio_ / 2;
    const QRect touched = device_box(QRectF(cx - reach, cy - reach, 2 * reach, 2 * reach));
    if (touched.isEmpty())
        return;
    if (fill && line_style_ == LineStyle::solid && r * ratio_ <= largest_disc) {
        draw_disc(cx, cy, r, width, outline, *fill);
        return;
    }
    QPainter& p = painter();
    p.setPen(make_pen(outline, width, ratio_, line_style_));
    if (fill)
        p.setBrush(to_qcolor(*fill));
    else
        p.setBrush(Qt::NoBrush);
    if (r <= largest_plain_radius)
        p.drawEllipse(QPointF(cx, cy), r, r);
    else
        huge_circle(p, cx, cy, r, fill);
    drawn(touched);
}

void Canvas::draw_disc(double cx, double cy, double r, int width, Rgb outline, Rgb fill)
{
    const double x = cx * ratio_, y = cy * ratio_;
    // Whole device pixels and quarters past them, 0 to 3.
    double left = std::floor(x), top = std::floor(y);
    auto quarters_past = [](double& whole, double v) {
        const long q = std::lround((v - whole) * 4);
        whole += static_cast<double>(q / 4);
        return static_cast<int>(q % 4);
    };
    const QPoint quarters(quarters_past(left, x), quarters_past(top, y));
    // The image reaches this far from the whole pixel before the centre.
    const int middle = static_cast<int>(std::ceil(r * ratio_ + width / 2.0 + edge_reach));
    const QRect place(static_cast<int>(left) - middle, static_cast<int>(top) - middle, 2 * middle + 2, 2 * middle + 2);
    const QRect touched = place & visible_;
    if (touched.isEmpty())
        return;
    const Disc& d = disc(r * ratio_, width, outline, fill, quarters, middle);
    painter().drawImage(
        QRectF(touched.x() / ratio_, touched.y() / ratio_, touched.width() / ratio_, touched.height() / ratio_),
        d.image, QRectF(touched.translated(-place.topLeft())));
    drawn(touched);
}

const Canvas::Disc& Canvas::disc(double radius, int width, Rgb outline, Rgb fill, QPoint quarters, int middle)
{
    for (const Disc& d : discs_) {
        if (d.radius == radius && d.line_width == width && d.ratio == ratio_ && d.outline == outline &&
            d.fill == fill && d.quarters == quarters)
            return d;
    }
    if (discs_.size() == max_discs)
        discs_.erase(discs_.begin());
    Disc d{radius,
           width,
           ratio_,
           outline,
           fill,
           quarters,
           QImage(2 * middle + 2, 2 * middle + 2, QImage::Format_ARGB32_Premultiplied)};
    d.image.fill(Qt::transparent);
    QPainter p(&d.image);
    p.setRenderHint(QPainter::Antialiasing);
    if (width > 0)
        p.setPen(make_pen(outline, width, 1, LineStyle::solid));
    else
        p.setPen(Qt::NoPen);
    p.setBrush(to_qcolor(fill));
    p.drawEllipse(QPointF(middle + quarters.x() / 4.0, middle + quarters.y() / 4.0), radius, radius);
    p.end();
    d.image.setDevicePixelRatio(ratio_);
    discs_.push_back(std::move(d));
    return discs_.back();
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
    const QFontMetricsF& m = metrics();
    double px = mapping_.px(pen_.x);
    if (inside)
        px = std::min(px, logical_size_.width() - m.horizontalAdvance(shown));
    const double py = mapping_.py(pen_.y);
    // Text runs right and down from its corner; far to the left or above it
    // cannot reach the picture either.
    constexpr double reach = 1e4;
    if (!(px >= -reach && px <= logical_size_.width() && py >= -reach && py <= logical_size_.height()))
        return;
    // On whole device pixels, so that the glyphs are not smeared.
    const double x = std::round(px * ratio_) / ratio_;
    const double baseline = std::round((py + m.ascent()) * ratio_) / ratio_;
    const QStaticText& laid = laid_out(shown);
    const double top = baseline - m.ascent();
    const double overhang = glyph_overhang * m.height();
    const QRect touched =
        device_box(QRectF(x - overhang, top - overhang, laid.size().width() + 2 * overhang, m.height() + 2 * overhang));
    if (touched.isEmpty())
        return;
    QPainter& p = painter();
    p.setPen(to_qcolor(foreground_));
    // The same glyphs at the same places as drawText() at the baseline.
    p.drawStaticText(QPointF(x, top), laid);
    drawn(touched);
}

const Canvas::KeyedSource& Canvas::keyed(const Canvas& source, Rgb key)
{
    if (keyed_.generation == source.generation_ && keyed_.key == key)
        return keyed_;
    keyed_.generation = source.generation_;
    keyed_.key = key;
    keyed_.image = QImage();
    const QImage& image = source.image();
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
    return keyed_;
}

void Canvas::copy_keyed(const Surface& source, const PixelRect& from, const PixelRect& to, Rgb key)
{
    copy(source, from, to, key, false);
}

void Canvas::clear_and_copy_keyed(const Surface& source, const PixelRect& from, const PixelRect& to, Rgb key)
{
    copy(source, from, to, key, true);
}

void Canvas::copy(const Surface& source, const PixelRect& from, const PixelRect& to, Rgb key, bool clear_first)
{
    const auto* src = dynamic_cast<const Canvas*>(&source);
    if (src == nullptr || src == this || src->image().isNull() || image_.isNull() || from.width <= 0 ||
        from.height <= 0 || to.width <= 0 || to.height <= 0) {
        if (clear_first)
            clear();
        return;
    }
    const qreal sr = src->ratio_;
    const QRectF source_rect(from.left * sr, from.top * sr, from.width * sr, from.height * sr);
    const QRectF target_device(to.left * ratio_, to.top * ratio_, to.width * ratio_, to.height * ratio_);
    const QRect to_box = target_device.toAlignedRect();
    // Pixel for pixel between whole device pixels: a block transfer.
    const bool block = source_rect.size() == target_device.size() && whole(source_rect) && whole(target_device);
    const QPoint offset = source_rect.topLeft().toPoint() - to_box.topLeft();

    // A copy over the whole visible area without key pixels hides whatever
    // was there, a clearing included. The same copy again needs only the
    // pixels drawn over since; another, only those that differ.
    if (block && to_box.contains(visible_)) {
        if (copied_.source_generation == src->generation_ && copied_.from == source_rect.toRect() &&
            copied_.to == to_box) {
            const QRect redone = copied_.drawn_over;
            block_copy(src->image_, redone, offset);
            copied_.drawn_over = QRect();
            notify(redone);
            return;
        }
        if (const std::optional<QRegion> changed = copy_changes(src->image(), offset, to_qrgb(key))) {
            copied_ = {src->generation_, source_rect.toRect(), to_box, QRect()};
            notify(*changed);
            return;
        }
    }

    const KeyedSource& k = keyed(*src, key);
    if (clear_first)
        clear();
    if (!k.has_key_pixels && block) {
        block_copy(src->image_, to_box, offset);
    } else {
        QPainter& p = painter();
        const QRectF target(to.left, to.top, to.width, to.height);
        if (k.has_key_pixels) {
            p.drawImage(target, k.image, source_rect);
        } else {
            p.setCompositionMode(QPainter::CompositionMode_Source);
            p.drawImage(target, src->image_, source_rect);
            p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        }
    }
    copied_ = {};
    notify(to_box & visible_);
}

} // namespace vp
