// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "graphs/scales.h"
#include "model/characteristics.h"
#include "model/parameters.h"
#include "model/runge_kutta.h"

#include <string_view>

namespace vp {

class Surface;

// The three graphs against time: angle (Picture3), angular velocity
// (Picture4) and total energy (Picture14), in the ranges minmax() gave them.
//
// Each axes operation draws over what its picture holds: the period lines
// every shag_t with every second one labelled with its period count (" 2То",
// " 4То", ...), the caption "t, c", the value grid of light-green lines with
// tick dots and "#0.000" labels (the decimal point replaced by
// `decimal_separator`), the value caption, the black axes of width 3, and a
// dot of width 3 at the run's starting value. That dot leaves the pen where
// the curve begins and the width at 3 for the curve.
//
// The period lines stop at n <= 1 + n_periodov. More than
// max_period_lines of them would lie closer than a pixel of any picture, so
// beyond that only every period_stride()-th line is drawn (each still
// labelled with its own period count at twice its time); there are none when
// T0 or Tmax / T0 is not a positive finite number (a zero period would stack
// them all at t = 0).

inline constexpr double max_period_lines = 4096;

// The energy caption starts a quarter of the way across, past the label of
// the grid line along the top edge.
inline constexpr double energy_caption_at = 0.25;

// 1, or the step between drawn period lines when there are too many.
double period_stride(double n_periodov);

// The angle graph. Reads Tmax and fi0 (degrees), fi_top/fi_bottom,
// shag_t/n_periodov, k_fi and n_setki. Its value grid runs over
// n = 1 - n_setki .. n_setki - 1 at n * shag_fi / k_fi, where shag_fi, the
// step at zoom 1, is Amp_fi / n_setki.
void axes_x_t(Surface& Picture3, const Scales& s, const Parameters& p, const ZoomSettings& zoom,
              std::string_view decimal_separator);

// The angular-velocity graph, the same with wz_top/wz_bottom, k_wz, the
// caption "wz, рад/с" and the start at wz0.
void axes_y_t(Surface& Picture4, const Scales& s, const Parameters& p, const ZoomSettings& zoom,
              std::string_view decimal_separator);

// The energy graph: W_top/W_bottom, k_W, the caption "W, Дж", the start at
// W_00. Its value grid of 2 n_setki intervals lies over the visible window,
// at W_mid + n * shag_W / k_W, shag_W = (W_00 - W_min) / (2 n_setki) in
// single precision, for
// n = 1 - n_setki .. n_setki; the time axis, the period labels and the time
// caption stand where they would on a graph about zero. The value caption
// stands just below the top edge whatever its sign, at energy_caption_at.
void axes_W_t(Surface& Picture14, const Scales& s, const Parameters& p, const Characteristics& c,
              const ZoomSettings& zoom, std::string_view decimal_separator);

// One step of the curves: red lines from each pen to (t_f, fi_new in
// degrees), (t_f, wz_new) and (t_f, W_poln), coordinates rounded to single
// precision.
void plot_time_point(Surface& Picture3, Surface& Picture4, Surface& Picture14, const RunState& s);

} // namespace vp
