// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/runge_kutta.h"

namespace vp {

// The step of a run is T0 / n_tochek whatever the damping. In a thick liquid
// that step can lie outside the region where the classical Runge-Kutta
// method is stable: the computed motion then grows without bound although
// the real one dies away. Such a step is taken as 2^k equal sub-steps of the
// same method, and where that would take more than a few hundred, by a
// method made for stiff equations.
//
// The step is judged on the equation linearised about the state at the
// start of the step. With phi' = omega and
//     omega' = -W02 sin(phi) - 2 delta omega - fi_2_x omega |omega|,
// the Jacobian is [[0, 1], [A, B]] with A = -W02 cos(phi) and
// B = -2 delta - 2 fi_2_x |omega|; its eigenvalues are
//     lambda = (B +- sqrt(B^2 + 4 A)) / 2.
// For a decaying mode (Re lambda < 0) a step h multiplies it by the method's
// stability function R(h lambda) = 1 + z + z^2/2 + z^3/6 + z^4/24. It is
// stable for |R| <= 1, on the real axis down to z = -2.785; but near that
// bound it decays far too slowly (R(-2.5) = 0.65 where exp(-2.5) = 0.08),
// and a run, though finite, strays visibly from the motion. So the sub-step
// keeps |h lambda| <= 1, where R(z) follows exp(z) closely and which lies
// wholly inside the stable region. The laboratory's own step is far inside
// it for every swing it was made for (|h lambda| <= 2 pi / n_tochek for the
// undamped part), so those runs are computed exactly as before. Modes with a
// positive real part belong to motion that grows by itself (a body pushed
// away from an unstable equilibrium) and are left to the method.
//
// In the thickest media (a viscosity of 1e8 Pa s makes |h lambda| about
// 1e6) the sub-steps would cost the display step its pace. There the fast
// mode is over within a tiny fraction of the step and all that is left to
// follow is the slow creep towards equilibrium: the step is taken by the
// second-order linearly implicit Rosenbrock method ROS2 (gamma = 1 + 1/sqrt 2,
// Verwer et al. 1999), which is L-stable: however large h lambda, a decaying
// mode decays in the step, and R tends to 0 as exp does. Its sub-steps are
// chosen by the estimate of their own error, so that the creep and a
// transient that is not exponential (quadratic drag slowing a fast start)
// are followed as closely as by the Runge-Kutta sub-steps.

// The Runge-Kutta sub-steps stop at 2^8 = 256 a display step; beyond that
// the stiff method takes the step.
inline constexpr int max_runge_kutta_halvings = 8;
// The stiff method's sub-steps of one display step, those refused included;
// the last of them takes the rest of the step whole. At well under 0.1 us a
// sub-step this bounds a display step at a fraction of a millisecond. Only a
// violent start reaches it (the default body flung at 1e6 rad/s slows down
// over seven orders of magnitude in its first step); a creep in a thick
// medium takes one sub-step a display step.
inline constexpr int max_stiff_steps = 2000;

// The smallest k in 0 .. max_runge_kutta_halvings for which a step of h / 2^k
// keeps |h lambda / 2^k| <= 1 for the decaying modes at the state s, or
// max_runge_kutta_halvings + 1 when none does.
int stability_halvings(const RunState& s, const MotionCoefficients& k, double h);

// The work of one display step, counted (not timed) by the tests.
struct StepWork {
    int runge_kutta_steps = 0; // classical steps of the method taken
    int stiff_steps = 0;       // stiff sub-steps tried, those refused included
};

// One step of length h: a single Runge-Kutta step where that needs no
// halving (bit for bit the same), else 2^k sub-steps carrying the angular
// velocity in single precision between them as the steps do, or, where k
// would exceed max_runge_kutta_halvings, sub-steps of the stiff method in
// double precision, the angular velocity rounded to single precision at the
// end of the step. The time advances by exactly h either way.
StepWork integration_step(RunState& s, const MotionCoefficients& k, double h);

} // namespace vp
