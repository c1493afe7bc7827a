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
    canvas_.set_on_change([this](const QRect& changed) { update(changed); });
    if (parent != nullptr)
        parent->installEventFilter(this);
}

void CanvasWidget::place(const QRect& geometry)
{
    setGeometry(geometry);
    canvas_.resize(geometry.size(), devicePixelRatioF());
    follow_parent();
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
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        follow_parent();
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
    const QRect area = event->rect();
    const qreal ratio = image.devicePixelRatio();
    if (!QRect(QPoint(0, 0), canvas_.logical_size()).contains(area)) {
        const Rgb b = canvas_.background();
        painter.fillRect(area, QColor(b.red, b.green, b.blue));
    }
    painter.drawImage(QRectF(area), image,
                      QRectF(area.left() * ratio, area.top() * ratio, area.width() * ratio, area.height() * ratio));
}

} // namespace vp
