// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/canvas.h"

#include <QWidget>

namespace vp {

// A picture box: a widget that shows its Canvas. The canvas is drawn on
// whether or not the widget is visible, and keeps what was drawn across
// hiding, showing and covering.
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

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    Canvas canvas_;
};

} // namespace vp
