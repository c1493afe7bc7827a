// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/characteristics.h"
#include "model/parameters.h"

#include <optional>

namespace vp {

// Which drag the run's flow calls for, by the Reynolds number of the sphere
// (of the rod where there is no sphere): below 1 the flow is Stokes's and
// the linear drag is the drag; from 10^3 on the drag coefficient of a ball
// hardly changes with Re, so the force goes as c rho_0 S v^2 / 2; between
// the two neither law holds alone.
enum class DragRegime {
    stokes,       // Re < 1
    transitional, // 1 <= Re < 10^3
    quadratic,    // Re >= 10^3
    no_viscosity, // eta = 0: no Re
    vacuum,       // eta = 0 and rho_0 = 0: no drag at all
};

struct DragReading {
    // rho_0 v d / eta at the largest angular velocity: the sphere by its
    // outer diameter at the speed of its centre, the rod by its diameter at
    // the speed of its lower end in the medium (above the sphere, or the
    // whole rod where there is none). None without viscosity or without the body.
    std::optional<double> Re_sphere;
    std::optional<double> Re_rod;
    // The quadratic over the linear drag moment at that angular velocity,
    // fi_2_x omega^2 / (2 delta omega); none without linear drag.
    std::optional<double> moment_ratio;
    DragRegime regime = DragRegime::vacuum;
};

// wz_max: the largest |omega| of the run (of its part with these quantities), rad/s.
DragReading drag_reading(const Parameters& p, const Characteristics& c, double wz_max);

// The sentence that names the regime.
const char* regime_sentence(DragRegime regime);

} // namespace vp
