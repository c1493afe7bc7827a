// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/canvas.h"

#include <QRegion>
#include <QWidget>

namespace vp {

// A picture box: a widget that shows its Canvas. The canvas is drawn on
// whether or not the widget is visible, and keeps what was drawn across
// hiding, showing and covering. Only the part of the widget inside its
// parent is drawn (a square drawing area reaches past the bottom of a low
// window); the window redraws its pictures whenever it is resized.
class CanvasWidget : public QWidget {
    Q_OBJECT
public:
    explicit CanvasWidget(QWidget* parent = nullptr);

    Canvas& canvas() { return canvas_; }
    const Canvas& canvas() const { return canvas_; }

    // Sets the geometry and sizes the canvas at once. A hidden widget gets
    // its resize event only when it is shown; the drawing made before that
    // must already be on a canvas of the final size.
    void place(const QRect& geometry);

    // While held, what is drawn is repainted only when released: a run draws
    // at every step, and a screen shows a frame at a time.
    void hold_repaints(bool held);
    bool repaints_held() const { return held_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void follow_parent();
    void watch_siblings_below();

    Canvas canvas_;
    bool held_ = false;
    // What was drawn while held, logical pixels.
    QRegion pending_;
};

} // namespace vp
