// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/canvas_widget.h"

#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>

namespace vp {

CanvasWidget::CanvasWidget(QWidget* parent) : QWidget(parent), drawing_(canvas_)
{
    // The canvas covers the widget wholly: nothing behind it needs painting.
    setAttribute(Qt::WA_OpaquePaintEvent);
    canvas_.set_on_change([this](const QRect& changed) {
        if (held_)
            pending_ += changed;
        else
            update(changed);
    });
    drawing_.set_on_pending([this] { schedule_settle(); });
    if (parent != nullptr)
        parent->installEventFilter(this);
}

void CanvasWidget::place(const QRect& geometry)
{
    setGeometry(geometry);
    resize_canvas(geometry.size());
    follow_parent();
    watch_siblings_below();
}

// A new size or ratio leaves the canvas blank: a redraw still pending is
// not drawn on it.
void CanvasWidget::resize_canvas(QSize size)
{
    const qreal ratio = devicePixelRatioF();
    if (size == canvas_.logical_size() && ratio == canvas_.device_pixel_ratio())
        return;
    drawing_.discard();
    canvas_.resize(size, ratio);
}

// A redraw has been begun: it is drawn when the event loop comes back,
// unless the window paints, or the canvas is read, before.
void CanvasWidget::schedule_settle()
{
    watch_window();
    if (settle_posted_)
        return;
    settle_posted_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            settle_posted_ = false;
            settle_if_shown();
        },
        Qt::QueuedConnection);
}

void CanvasWidget::settle_if_shown()
{
    if (drawing_.pending() && isVisible())
        drawing_.settle();
}

// The window paints its widgets on an update request and when it is
// exposed; a pending redraw of a picture on view is drawn before either, so
// that the paint shows it with everything else.
void CanvasWidget::watch_window()
{
    QWidget* top = window();
    if (top != watched_window_) {
        if (watched_window_ != nullptr)
            watched_window_->removeEventFilter(this);
        if (top != this)
            top->installEventFilter(this);
        watched_window_ = top;
    }
    QWindow* handle = top->windowHandle();
    if (handle != watched_handle_) {
        if (watched_handle_ != nullptr)
            watched_handle_->removeEventFilter(this);
        if (handle != nullptr)
            handle->installEventFilter(this);
        watched_handle_ = handle;
    }
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

bool CanvasWidget::event(QEvent* event)
{
    if (event->type() == QEvent::UpdateRequest)
        settle_if_shown();
    return QWidget::event(event);
}

bool CanvasWidget::eventFilter(QObject* watched, QEvent* event)
{
    const bool window_paints = (watched == watched_window_ && event->type() == QEvent::UpdateRequest) ||
                               (watched == watched_handle_ && event->type() == QEvent::Expose);
    if (window_paints)
        settle_if_shown();
    if (watched == parentWidget()) {
        if (event->type() == QEvent::Resize)
            follow_parent();
    } else if (event->type() == QEvent::Paint && watched != watched_window_) {
        if (const auto* below = qobject_cast<const QWidget*>(watched))
            update(static_cast<const QPaintEvent*>(event)->rect().translated(below->pos() - pos()) & rect());
    }
    return QWidget::eventFilter(watched, event);
}

void CanvasWidget::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    watch_window();
}

void CanvasWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (event->size() != canvas_.logical_size())
        resize_canvas(event->size());
    follow_parent();
}

void CanvasWidget::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    follow_parent();
}

void CanvasWidget::paintEvent(QPaintEvent* event)
{
    // Only a paint the window was not asked for (a grab) can find a redraw
    // pending.
    drawing_.settle();
    QPainter painter(this);
    const QImage& image = canvas_.image();
    const qreal ratio = image.devicePixelRatio();
    const QRect canvas_area(QPoint(0, 0), canvas_.logical_size());
    auto paint = [&](const QRect& area) {
        if (!canvas_area.contains(area)) {
            const Rgb b = canvas_.background();
            painter.fillRect(area, QColor(b.red, b.green, b.blue));
        }
        painter.drawImage(QRectF(area), image,
                          QRectF(area.left() * ratio, area.top() * ratio, area.width() * ratio, area.height() * ratio));
    };
    // A few rectangles at once; the many scattered ones of a redrawn plane
    // one by one, without the space between them.
    constexpr int few = 8;
    const QRegion& region = event->region();
    if (region.rectCount() <= few) {
        paint(region.boundingRect());
        return;
    }
    for (const QRect& area : region)
        paint(area);
}

} // namespace vp
