// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace vp {

// The three coefficients through which the body and the medium enter the
// equation of motion
//     d(omega)/dt = -W02 sin(phi) - 2 delta omega - fi_2_x omega |omega|
// W02: weight minus buoyancy over the moment of inertia (negative for a body
// lighter than the medium); delta: Stokes drag; fi_2_x: quadratic drag.
struct MotionCoefficients {
    double W02 = 0;
    double delta = 0;
    double fi_2_x = 0;
};

// d(phi)/dt. The system is autonomous: t_f is accepted and not used. The
// results are rounded to single precision, and the Runge-Kutta increments
// are built from the rounded values.
float ff_1(double t_f, double fi_f, double wz_f);

// d(omega)/dt. The quadratic term uses omega*|omega| so that it always
// opposes the motion; the full sine keeps large swings non-linear.
float ff_2(const MotionCoefficients& k, double t_f, double fi_f, double wz_f);

} // namespace vp
