// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/runge_kutta.h"

namespace vp {

// The step of a run is T0 / n_tochek whatever the damping. In a thick liquid
// that step can lie outside the region where the classical Runge-Kutta
// method is stable: the computed motion then grows without bound although
// the real one dies away. Such a step is taken as 2^k equal sub-steps of the
// same method.
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

// Halvings beyond this would cost more than a display step may take; a step
// still unstable then is caught by the run's check of finite values.
inline constexpr int max_stability_halvings = 20;

// The smallest k in 0 .. max_stability_halvings for which a step of h / 2^k
// keeps |h lambda / 2^k| <= 1 for the decaying modes at the state s.
int stability_halvings(const RunState& s, const MotionCoefficients& k, double h);

// One step of length h: a single Runge-Kutta step where that needs no
// halving (bit for bit the same), else 2^k sub-steps carrying the angular velocity
// in single precision between them as the steps do. The time advances by
// exactly h either way.
void integration_step(RunState& s, const MotionCoefficients& k, double h);

} // namespace vp
