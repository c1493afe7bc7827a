// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/canvas.h"

#include <QImage>
#include <QRect>
#include <QRegion>

#include <cstring>

namespace vp::testing {

// What a widget showing a canvas holds when it repaints, at each repaint(),
// just the areas the canvas reported changed since the last one: the screen
// of a picture box.
class RepaintedScreen {
public:
    explicit RepaintedScreen(Canvas& canvas) : shown(canvas.image().copy()), canvas_(canvas)
    {
        canvas.set_on_change([this](const QRect& changed) { pending_ += changed; });
    }
    RepaintedScreen(const RepaintedScreen&) = delete;
    RepaintedScreen& operator=(const RepaintedScreen&) = delete;

    // The logical area repainted.
    int repaint()
    {
        const QImage& image = canvas_.image();
        const qreal ratio = image.devicePixelRatio();
        int area = 0;
        for (const QRect& r : pending_) {
            const QRect device =
                QRectF(r.x() * ratio, r.y() * ratio, r.width() * ratio, r.height() * ratio).toAlignedRect() &
                image.rect();
            for (int y = device.top(); y <= device.bottom(); ++y)
                std::memcpy(shown.scanLine(y) + device.left() * 4, image.constScanLine(y) + device.left() * 4,
                            static_cast<std::size_t>(device.width()) * 4);
            area += r.width() * r.height();
        }
        pending_ = QRegion();
        return area;
    }

    QImage shown;

private:
    Canvas& canvas_;
    QRegion pending_;
};

// The device pixels of `area` (logical) in which two images of one size
// differ.
inline int differing_pixels(const QImage& a, const QImage& b, const QRect& area)
{
    const qreal ratio = a.devicePixelRatio();
    const QRect device =
        QRectF(area.x() * ratio, area.y() * ratio, area.width() * ratio, area.height() * ratio).toAlignedRect() &
        a.rect();
    int n = 0;
    for (int y = device.top(); y <= device.bottom(); ++y) {
        const auto* p = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* q = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = device.left(); x <= device.right(); ++x)
            n += p[x] != q[x];
    }
    return n;
}

} // namespace vp::testing
