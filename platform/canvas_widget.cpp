// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/canvas_widget.h"

#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>

namespace vp {

CanvasWidget::CanvasWidget(QWidget* parent) : QWidget(parent)
{
    // The canvas covers the widget wholly: nothing behind it needs painting.
    setAttribute(Qt::WA_OpaquePaintEvent);
    canvas_.set_on_change([this](const QRegion& changed) {
        if (held_)
            pending_ += changed;
        else
            update(changed);
    });
    if (parent != nullptr)
        parent->installEventFilter(this);
}

void CanvasWidget::place(const QRect& geometry)
{
    setGeometry(geometry);
    canvas_.resize(geometry.size(), devicePixelRatioF());
    follow_parent();
    watch_siblings_below();
}

void CanvasWidget::hold_repaints(bool held)
{
    held_ = held;
    if (!held_ && !pending_.isEmpty()) {
        update(pending_);
        pending_ = QRegion();
    }
}

// Qt moves a widget by copying its pixels when nothing covers its old or new
// place, and then paints it once more as if nothing covered it, over
// whatever has come to lie above it since: a readout moved by a resize just
// before the square grows over it. A picture that repaints only what
// changed would keep that paint, so the paints of the widgets below are
// watched and what they paint here is repainted.
void CanvasWidget::watch_siblings_below()
{
    const QWidget* parent = parentWidget();
    if (parent == nullptr)
        return;
    for (QObject* child : parent->children()) {
        if (child == this)
            break;
        auto* below = qobject_cast<QWidget*>(child);
        if (below != nullptr && !below->isWindow() && below->geometry().intersects(geometry()))
            below->installEventFilter(this);
    }
}

// The part of the widget that its parent shows.
void CanvasWidget::follow_parent()
{
    if (const QWidget* parent = parentWidget())
        canvas_.set_visible_area(rect() & parent->rect().translated(-pos()));
    else
        canvas_.show_whole();
}

bool CanvasWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parentWidget()) {
        if (event->type() == QEvent::Resize)
            follow_parent();
    } else if (event->type() == QEvent::Paint) {
        const auto* below = static_cast<const QWidget*>(watched);
        update(static_cast<const QPaintEvent*>(event)->rect().translated(below->pos() - pos()) & rect());
    }
    return QWidget::eventFilter(watched, event);
}

void CanvasWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (event->size() != canvas_.logical_size())
        canvas_.resize(event->size(), devicePixelRatioF());
    follow_parent();
}

void CanvasWidget::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    follow_parent();
}

void CanvasWidget::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QImage& image = canvas_.image();
    const qreal ratio = image.devicePixelRatio();
    const QRect canvas_area(QPoint(0, 0), canvas_.logical_size());
    // Rectangle by rectangle: a redrawn plane changes in scattered places.
    for (const QRect& area : event->region()) {
        if (!canvas_area.contains(area)) {
            const Rgb b = canvas_.background();
            painter.fillRect(area, QColor(b.red, b.green, b.blue));
        }
        painter.drawImage(QRectF(area), image,
                          QRectF(area.left() * ratio, area.top() * ratio, area.width() * ratio, area.height() * ratio));
    }
}

} // namespace vp
