// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/apparatus_picture.h"

#include "graphs/plane_copy.h"
#include "graphs/scales.h"
#include "graphs/scene.h"
#include "model/characteristics.h"
#include "model/parameters.h"
#include "platform/canvas.h"

#include <QImage>

#include <cmath>

namespace vp {
namespace {

// The scene's line widths are whole pixels made for the main window's
// picture, which is more than twice as wide as this one: at this size the
// 7-pixel rod would be as wide as the sphere. The scene is drawn at the main
// window's scale and reduced.
constexpr int oversampling = 2;

// Two grid steps per half axis instead of five keep the scale's labels
// apart at this width.
constexpr int grid_steps = 2;

} // namespace

QPixmap apparatus_picture(QSize size, qreal device_pixel_ratio)
{
    Parameters p;
    RunSettings run;
    ZoomSettings zoom;
    predvar(p, run, zoom);
    zoom.n_setki = grid_steps;
    Characteristics c;
    parametr(p, run.n_tochek, c);
    Scales s = compute_scales(p, c, zoom);
    // The plane is a square; a taller picture shows more of it below the
    // axis, where the body hangs.
    const double aspect = static_cast<double>(size.height()) / size.width();
    s.y_bottom = s.y_top + (s.x_right - s.x_left) * aspect;

    const QSize drawn = size * oversampling;
    QFont labels(QStringLiteral("Times New Roman"));
    labels.setPixelSize(10 * oversampling);

    Canvas plane;
    plane.resize(drawn, 1.0);
    plane.set_font(labels);
    plane.set_scale(s.x_left, s.y_top, s.x_right, s.y_bottom);
    plane.clear();
    axes(plane, s, p, c, zoom, ".");

    Canvas picture;
    picture.resize(drawn, 1.0);
    picture.set_scale(s.x_left, s.y_top, s.x_right, s.y_bottom);
    picture.clear();
    const PlaneCopyRects whole{0, 0, drawn.width(), drawn.height(),
                               0, 0, drawn.width(), static_cast<float>(drawn.height())};
    axes_2(picture, plane, whole, p, c);

    const QSize pixels(static_cast<int>(std::lround(size.width() * device_pixel_ratio)),
                       static_cast<int>(std::lround(size.height() * device_pixel_ratio)));
    QImage image = picture.image().scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    image.setDevicePixelRatio(device_pixel_ratio);
    return QPixmap::fromImage(image);
}

} // namespace vp
