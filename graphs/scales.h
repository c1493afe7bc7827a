// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/characteristics.h"
#include "model/parameters.h"

namespace vp {

class Surface;

// The logical ranges of the five pictures and the two values of the time
// grid, as minmax() leaves them.
struct Scales {
    // The Y-X plane and the animation: a square of side 2.2 * dlina about the
    // rotation axis, y growing downward.
    double x_right = 0;
    double x_left = 0;
    double y_bottom = 0;
    double y_top = 0;
    // The angle graph, degrees, and the angular-velocity graph, rad/s.
    double fi_top = 0;
    double fi_bottom = 0;
    double wz_top = 0;
    double wz_bottom = 0;
    // The energy graph, J. Its window zooms about the middle of
    // [W_min, W_00] (W_mid), so that it stays on the curve, which lies wholly
    // below zero in the usual case. W_bottom is single precision.
    double W_top = 0;
    float W_bottom = 0;
    double W_mid = 0;
    // Spacing of the period lines (T0) and the number of periods in Tmax.
    double shag_t = 0;
    double n_periodov = 0;
};

// The five picture areas in logical coordinates.
struct Pictures {
    Surface& Picture1;  // the Y-X plane
    Surface& Picture2;  // the animation
    Surface& Picture3;  // angle against time
    Surface& Picture4;  // angular velocity against time
    Surface& Picture14; // total energy against time
};

// The scales from the model: reads dlina and Tmax, T0, Amp_fi, Amp_wz, W_00
// and W_min (as parametr() has just left them) and the three zoom divisors.
// Only the bounds are divided by the divisors; the curves are drawn in
// physical values. With k_W = 1 the energy window is exactly W_00 .. W_min.
Scales compute_scales(const Parameters& p, const Characteristics& c, const ZoomSettings& zoom);

// Gives each picture its logical rectangle: the plane and the animation
// (x_left, y_top)-(x_right, y_bottom), the graphs 0 .. Tmax across. Empty or
// non-finite ranges are the pictures' matter (they fall back to unit ranges).
void apply_scales(const Scales& s, double Tmax, const Pictures& pictures);

// minmax: computes the scales into `s` and applies them. Run after parametr()
// and before the axes and the scene are drawn; nothing is erased.
void minmax(const Parameters& p, const Characteristics& c, const ZoomSettings& zoom, Scales& s,
            const Pictures& pictures);

} // namespace vp
