// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/painter_surface.h"

#include "platform/qcolor.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

namespace vp {
namespace {

QPen pen_of(Rgb colour, int width, LineStyle style)
{
    QPen pen(to_qcolor(colour), std::max(width, 1), style == LineStyle::dotted ? Qt::DotLine : Qt::SolidLine,
             Qt::RoundCap, Qt::RoundJoin);
    return pen;
}

bool finite(double a, double b)
{
    return std::isfinite(a) && std::isfinite(b);
}

} // namespace

PainterSurface::PainterSurface(QPainter& painter, QSize size, Rgb background, Rgb foreground, const QFont& font)
    : painter_(painter), size_(size), background_(background), foreground_(foreground), font_(font),
      mapping_(LogicalRect{}, size.width(), size.height()), recorder_(new QPainter(&record_))
{
    for (QPainter* p : {&painter_, recorder_}) {
        p->setRenderHint(QPainter::Antialiasing);
        p->setClipRect(QRect(QPoint(0, 0), size_));
        p->setFont(font_);
    }
}

PainterSurface::~PainterSurface()
{
    delete recorder_;
}

template <typename Draw>
void PainterSurface::draw(Draw&& how)
{
    how(painter_);
    if (recorder_->isActive())
        how(*recorder_);
}

void PainterSurface::set_scale(double left, double top, double right, double bottom)
{
    mapping_ = CoordinateMapping(LogicalRect{left, top, right, bottom}, size_.width(), size_.height());
}

void PainterSurface::clear()
{
    draw([&](QPainter& p) { p.fillRect(QRect(QPoint(0, 0), size_), to_qcolor(background_)); });
}

void PainterSurface::line(double x1, double y1, double x2, double y2, Rgb colour)
{
    pen_ = {x2, y2};
    const QPointF a(mapping_.px(x1), mapping_.py(y1));
    const QPointF b(mapping_.px(x2), mapping_.py(y2));
    if (!finite(a.x(), a.y()) || !finite(b.x(), b.y()))
        return;
    draw([&](QPainter& p) {
        p.setPen(pen_of(colour, line_width_, line_style_));
        p.drawLine(a, b);
    });
}

void PainterSurface::line_to(double x, double y, Rgb colour)
{
    line(pen_.x, pen_.y, x, y, colour);
}

void PainterSurface::dot(double x, double y)
{
    pen_ = {x, y};
    const QPointF c(mapping_.px(x), mapping_.py(y));
    if (!finite(c.x(), c.y()))
        return;
    const double side = std::max(line_width_, 1);
    draw([&](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(to_qcolor(foreground_));
        if (line_width_ <= 1)
            p.drawRect(QRectF(c.x() - side / 2, c.y() - side / 2, side, side));
        else
            p.drawEllipse(c, side / 2, side / 2);
    });
}

void PainterSurface::circle(double x, double y, double radius, Rgb outline, std::optional<Rgb> fill)
{
    const QPointF c(mapping_.px(x), mapping_.py(y));
    const double r = std::abs(radius * mapping_.x_scale());
    if (!finite(c.x(), c.y()) || !std::isfinite(r) || r == 0)
        return;
    draw([&](QPainter& p) {
        p.setPen(pen_of(outline, line_width_, line_style_));
        if (fill)
            p.setBrush(to_qcolor(*fill));
        else
            p.setBrush(Qt::NoBrush);
        p.drawEllipse(c, r, r);
    });
}

void PainterSurface::print_text(std::string_view text, bool inside)
{
    if (text.empty())
        return;
    const QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    const QFontMetricsF m(font_);
    double px = mapping_.px(pen_.x);
    if (inside)
        px = std::min(px, size_.width() - m.horizontalAdvance(shown));
    const double py = mapping_.py(pen_.y);
    if (!finite(px, py))
        return;
    draw([&](QPainter& p) {
        p.setPen(to_qcolor(foreground_));
        p.drawText(QPointF(px, py + m.ascent()), shown);
    });
}

void PainterSurface::copy_keyed(const Surface& source, const PixelRect& from, const PixelRect& to, Rgb)
{
    const auto* drawn = dynamic_cast<const PainterSurface*>(&source);
    if (drawn == nullptr || from.width <= 0 || from.height <= 0 || to.width <= 0 || to.height <= 0)
        return;
    // The source's record is complete once copied: the plane is drawn
    // before the animation copies it.
    if (drawn->recorder_->isActive())
        drawn->recorder_->end();
    const QPicture& copy = drawn->record_;
    draw([&](QPainter& p) {
        p.save();
        p.setClipRect(QRect(to.left, to.top, to.width, to.height), Qt::IntersectClip);
        p.translate(to.left, to.top);
        p.scale(static_cast<double>(to.width) / from.width, static_cast<double>(to.height) / from.height);
        p.translate(-from.left, -from.top);
        // A picture played back is scaled by the device's resolution over
        // the screen's: a PDF or SVG writer of 72 dpi would shrink the plane
        // to three quarters. Its own pixels are the ones wanted here.
        const double dpi_x = p.device()->logicalDpiX(), dpi_y = p.device()->logicalDpiY();
        if (dpi_x > 0 && dpi_y > 0)
            p.scale(copy.logicalDpiX() / dpi_x, copy.logicalDpiY() / dpi_y);
        p.drawPicture(0, 0, copy);
        p.restore();
    });
}

} // namespace vp
