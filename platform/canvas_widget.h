// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/canvas.h"
#include "platform/deferred_drawing.h"

#include <QPointer>
#include <QRegion>
#include <QWidget>
#include <QWindow>

namespace vp {

// A picture box: a widget that shows its Canvas. The canvas is drawn on
// whether or not the widget is visible, and keeps what was drawn across
// hiding, showing and covering. Only the part of the widget inside its
// parent is drawn (a square drawing area reaches past the bottom of a low
// window); the window redraws its pictures whenever it is resized.
//
// A redraw made through drawing() is drawn when it is first needed: before
// the window paints anything while the picture is on view, when the
// picture is shown, and when anyone takes the canvas. Redraws made one
// after another in between cost one.
class CanvasWidget : public QWidget {
    Q_OBJECT
public:
    explicit CanvasWidget(QWidget* parent = nullptr);

    // The canvas with every redraw drawn.
    Canvas& canvas()
    {
        drawing_.settle_for_drawing();
        return canvas_;
    }
    const Canvas& canvas() const
    {
        drawing_.settle();
        return canvas_;
    }
    // Where the window redraws the picture: a clear() begins a redraw.
    Surface& drawing() { return drawing_; }
    // Draws a pending redraw now if the picture is on view.
    void settle_if_shown();
    // Whether a redraw waits to be drawn.
    bool redraw_pending() const { return drawing_.pending(); }

    // Sets the geometry and sizes the canvas at once. A hidden widget gets
    // its resize event only when it is shown; the drawing made before that
    // must already be on a canvas of the final size.
    void place(const QRect& geometry);

    // While held, what is drawn is repainted only when released: a run draws
    // at every step, and a screen shows a frame at a time.
    void hold_repaints(bool held);
    bool repaints_held() const { return held_; }

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void resize_canvas(QSize size);
    void follow_parent();
    void watch_siblings_below();
    void watch_window();
    void schedule_settle();

    Canvas canvas_;
    // Declared after the canvas it draws on, so that it goes first.
    mutable DeferredDrawing drawing_;
    bool settle_posted_ = false;
    // The window whose paints the pending redraw must come before.
    QPointer<QWidget> watched_window_;
    QPointer<QWindow> watched_handle_;
    bool held_ = false;
    // What was drawn while held, logical pixels.
    QRegion pending_;
};

} // namespace vp
