// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphs/scene.h"

#include "drawing/colours.h"
#include "drawing/surface.h"
#include "texts/number_text.h"

#include <cmath>
#include <limits>

namespace vp {
namespace {

// A single-precision pixel count as a whole number, rounding half to even;
// an unusable one copies nothing.
int whole_pixels(float v)
{
    if (!(std::abs(v) < static_cast<float>(std::numeric_limits<int>::max() / 2)))
        return 0;
    return static_cast<int>(std::nearbyint(v));
}

PixelRect source_rect(const PlaneCopyRects& r)
{
    return {r.source_left, r.source_top, r.source_width, r.source_height};
}

PixelRect destination_rect(const PlaneCopyRects& r)
{
    return {r.destination_left, r.destination_top, r.destination_width, whole_pixels(r.destination_height)};
}

} // namespace

void axes(Surface& Picture1, const Scales& s, const Parameters& p, const Characteristics& c, const ZoomSettings& zoom,
          std::string_view decimal_separator)
{
    const int n_setki = zoom.n_setki;
    // Grid spacing in metres, the same across and down.
    const double shag_y = n_setki > 0 ? p.dlina / n_setki : 0.0;
    const double shag_x = shag_y;
    auto label = [&](double v) { return with_decimal_separator(format_number(v, "0.00"), decimal_separator); };

    Picture1.set_line_width(1);
    for (int n = -n_setki; n <= n_setki; ++n) {
        const double x = n * shag_x;
        Picture1.line(x, s.y_bottom, x, s.y_top, colours::grid);
        if (n != n_setki) {
            Picture1.dot(x, 0.01 * s.y_bottom);
            Picture1.print(label(x));
        }
    }
    const double width = s.x_right - s.x_left;
    for (int n = -n_setki; n <= n_setki; ++n) {
        const double y = n * shag_y;
        Picture1.line(s.x_left, y, s.x_right, y, colours::grid);
        if (n != n_setki && n != 0) {
            Picture1.dot(0.01 * width, y);
            Picture1.print(label(y));
        }
    }

    Picture1.set_line_width(3);
    Picture1.line(0, s.y_bottom, 0, s.y_top, colours::black);
    Picture1.line(s.x_left, 0, s.x_right, 0, colours::black);
    Picture1.move_to(0.02 * width, 0.9 * s.y_bottom);
    Picture1.print("X, м");
    // Near the right edge; at small sizes the caption is wider than the room
    // left there and is moved in rather than cut.
    Picture1.move_to(s.x_right - 0.06 * width, 0.01 * s.y_bottom);
    Picture1.print_inside("Y, м");

    Picture1.set_line_width(1);
    Picture1.set_line_style(LineStyle::dotted);
    Picture1.circle(0, 0, c.x_c_m, colours::black, std::nullopt);
    Picture1.set_line_style(LineStyle::solid);
    Picture1.set_line_width(3);
}

float delta_pop(double dlina)
{
    return static_cast<float>(0.005 * dlina);
}

void gruz(Surface& Picture2, const Parameters& p, double fi)
{
    const double sin_fi = std::sin(fi);
    const double cos_fi = std::cos(fi);
    Picture2.set_line_width(1);
    if (p.massa != 0) {
        const double a = p.dlina - p.r_shar_2;
        const float x = static_cast<float>(a * sin_fi);
        const float y = static_cast<float>(a * cos_fi);
        Picture2.circle(x, y, static_cast<float>(p.r_shar_2), colours::black, colours::sphere);
        Picture2.circle(x, y, p.r_shar_1, colours::black, colours::cavity);
    }
    Picture2.set_line_width(p.massa_st == 0 ? 1 : 7);
    const float d = delta_pop(p.dlina);
    Picture2.line(d, d, static_cast<float>(d + p.dlina * sin_fi), static_cast<float>(d + p.dlina * cos_fi),
                  colours::rod);
    Picture2.set_line_width(1);
}

void copy_plane(Surface& Picture2, const Surface& Picture1, const PlaneCopyRects& r)
{
    Picture2.copy_keyed(Picture1, source_rect(r), destination_rect(r), colours::plane_key);
}

void axes_2(Surface& Picture2, const Surface& Picture1, const PlaneCopyRects& rects, const Parameters& p,
            const Characteristics& c)
{
    copy_plane(Picture2, Picture1, rects);
    gruz(Picture2, p, c.fi0_rad);
}

void draw_animation_frame(Surface& Picture2, const Surface& Picture1, const PlaneCopyRects& rects, const Parameters& p,
                          const RunState& s)
{
    // As one operation, so that a picture can redo just what the last body
    // covered.
    Picture2.clear_and_copy_keyed(Picture1, source_rect(rects), destination_rect(rects), colours::plane_key);
    gruz(Picture2, p, s.fi_new);
}

} // namespace vp
