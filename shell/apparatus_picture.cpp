#include "shell/apparatus_picture.h"

#include "graphs/plane_copy.h"
#include "graphs/scales.h"
#include "graphs/scene.h"
#include "model/characteristics.h"
#include "model/parameters.h"
#include "platform/canvas.h"

namespace vp {

QPixmap apparatus_picture(QSize size, qreal device_pixel_ratio)
{
    Parameters p;
    RunSettings run;
    ZoomSettings zoom;
    predvar(p, run, zoom);
    Characteristics c;
    parametr(p, run.n_tochek, c);
    Scales s = compute_scales(p, c, zoom);
    // The plane is a square; a taller picture shows more of it below the
    // axis, where the body hangs.
    const double aspect = static_cast<double>(size.height()) / size.width();
    s.y_bottom = s.y_top + (s.x_right - s.x_left) * aspect;

    QFont small(QStringLiteral("Times New Roman"));
    small.setPixelSize(9);

    Canvas plane;
    plane.resize(size, device_pixel_ratio);
    plane.set_font(small);
    plane.set_scale(s.x_left, s.y_top, s.x_right, s.y_bottom);
    plane.clear();
    GridSteps grid;
    axes(plane, s, p, c, zoom, ".", grid);

    Canvas picture;
    picture.resize(size, device_pixel_ratio);
    picture.set_scale(s.x_left, s.y_top, s.x_right, s.y_bottom);
    picture.clear();
    const PlaneCopyRects whole{0, 0, size.width(), size.height(), 0, 0, size.width(),
                               static_cast<float>(size.height())};
    axes_2(picture, plane, whole, p, c);
    return QPixmap::fromImage(picture.image());
}

} // namespace vp
