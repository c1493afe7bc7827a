// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphs/time_graphs.h"

#include "drawing/colours.h"
#include "drawing/surface.h"
#include "model/constants.h"
#include "texts/number_text.h"

#include <cmath>
#include <optional>
#include <string>

namespace vp {
namespace {

// What tells the three graphs apart.
struct TimeGraph {
    double top = 0;
    double bottom = 0;
    double k = 1;           // zoom divisor
    double shag = 0;        // value-grid step at zoom 1
    double grid_origin = 0; // the value the grid is laid about
    int n_first = 0;
    int n_last = 0;
    const char* caption = "";
    // Where the value caption starts across, as a fraction of Tmax; its
    // height is 0.98 * top unless caption_y is set.
    double caption_at = 0.02;
    std::optional<double> caption_y;
    double start_value = 0;
};

// The period-count label: a blank, the whole number, then "То" (the period
// symbol, Cyrillic Te and o).
std::string period_label(double count)
{
    return format_number(count, " 0") + "То";
}

void draw_period_lines(Surface& g, const TimeGraph& graph, const Scales& s)
{
    if (!(s.shag_t > 0) || !std::isfinite(s.shag_t) || !std::isfinite(s.n_periodov))
        return;
    const double stride = period_stride(s.n_periodov);
    const double last = 1 + s.n_periodov;
    for (double m = 1;; ++m) {
        const double n = m * stride;
        if (!(n <= last))
            break;
        const double t = n * s.shag_t;
        g.line(t, graph.bottom, t, graph.top, colours::grid);
        g.dot(2 * t, -0.03 * graph.top);
        g.print(period_label(2 * n));
    }
}

void draw_time_axes(Surface& g, const TimeGraph& graph, const Scales& s, double Tmax,
                    std::string_view decimal_separator)
{
    g.set_line_width(1);
    draw_period_lines(g, graph, s);

    g.move_to(0.95 * Tmax, -0.03 * graph.top);
    g.print("t, c");

    for (int n = graph.n_first; n <= graph.n_last; ++n) {
        const double y = graph.grid_origin + n * graph.shag / graph.k;
        g.line(0, y, Tmax, y, colours::grid);
        g.dot(0.01 * Tmax, y);
        g.print(with_decimal_separator(format_number(y, "#0.000"), decimal_separator));
    }

    g.move_to(graph.caption_at * Tmax, graph.caption_y.value_or(0.98 * graph.top));
    g.print(graph.caption);

    g.set_line_width(3);
    g.line(0, graph.top, 0, graph.bottom, colours::black);
    g.line(0, 0, Tmax, 0, colours::black);
    g.dot(0, graph.start_value);
}

// k * (top - bottom) / (2 n_setki): the step at zoom 1 of a grid of 2 n_setki
// intervals over the window.
double zoom_one_step(double k, double top, double bottom, int n_setki)
{
    const int d = 2 * n_setki;
    return d > 0 ? k * (top - bottom) / d : 0.0;
}

// The angle and angular-velocity graphs: symmetric about zero, with a value
// grid that stops one line short of each edge.
TimeGraph about_zero(double top, double bottom, double k, double shag, int n_setki, const char* caption,
                     double start_value)
{
    TimeGraph graph;
    graph.top = top;
    graph.bottom = bottom;
    graph.k = k;
    graph.shag = shag;
    graph.n_first = 1 - n_setki;
    graph.n_last = n_setki - 1;
    graph.caption = caption;
    graph.start_value = start_value;
    return graph;
}

} // namespace

double period_stride(double n_periodov)
{
    // The loop n = 1, 2, ... while n <= 1 + n_periodov draws this many lines.
    const double lines = std::floor(1 + n_periodov);
    if (!(lines > max_period_lines))
        return 1;
    return std::ceil(lines / max_period_lines);
}

void axes_x_t(Surface& Picture3, const Scales& s, const Parameters& p, const ZoomSettings& zoom,
              std::string_view decimal_separator)
{
    const double shag_fi = zoom_one_step(zoom.k_fi, s.fi_top, s.fi_bottom, zoom.n_setki);
    const TimeGraph graph = about_zero(s.fi_top, s.fi_bottom, zoom.k_fi, shag_fi, zoom.n_setki, "fi, °", p.fi0);
    draw_time_axes(Picture3, graph, s, p.Tmax, decimal_separator);
}

void axes_y_t(Surface& Picture4, const Scales& s, const Parameters& p, const ZoomSettings& zoom,
              std::string_view decimal_separator)
{
    const double shag_wz = zoom_one_step(zoom.k_wz, s.wz_top, s.wz_bottom, zoom.n_setki);
    const TimeGraph graph = about_zero(s.wz_top, s.wz_bottom, zoom.k_wz, shag_wz, zoom.n_setki, "wz, рад/с", p.wz0);
    draw_time_axes(Picture4, graph, s, p.Tmax, decimal_separator);
}

void axes_W_t(Surface& Picture14, const Scales& s, const Parameters& p, const Characteristics& c,
              const ZoomSettings& zoom, std::string_view decimal_separator)
{
    const float shag_W = static_cast<float>(zoom_one_step(zoom.k_W, s.W_top, s.W_bottom, zoom.n_setki));
    TimeGraph graph;
    graph.top = s.W_top;
    graph.bottom = s.W_bottom;
    graph.k = zoom.k_W;
    graph.shag = shag_W;
    graph.grid_origin = s.W_mid;
    graph.n_first = 1 - zoom.n_setki;
    graph.n_last = zoom.n_setki;
    graph.caption = "W, Дж";
    // The energy grid has a line along the top edge, whose label stands at
    // the left; the caption keeps clear of it.
    graph.caption_at = energy_caption_at;
    // 1 % of the window below its top edge, as on the graphs about zero; the
    // window may lie wholly below zero, where 0.98 * W_top is out of sight.
    graph.caption_y = s.W_top - 0.01 * (s.W_top - s.W_bottom);
    graph.start_value = c.W_00;
    draw_time_axes(Picture14, graph, s, p.Tmax, decimal_separator);
}

void plot_time_point(Surface& Picture3, Surface& Picture4, Surface& Picture14, const RunState& s)
{
    const float t = static_cast<float>(s.t_f);
    Picture3.line_to(t, static_cast<float>(s.fi_new / k_grad_rad), colours::curve);
    Picture4.line_to(t, static_cast<float>(s.wz_new), colours::curve);
    Picture14.line_to(t, s.W_poln, colours::curve);
}

} // namespace vp
