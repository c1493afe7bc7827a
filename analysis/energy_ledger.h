// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/equations.h"
#include "model/runge_kutta.h"

namespace vp {

// Where the energy of a run goes. With W = MI omega^2/2 - M_L g cos(phi) and
// MI phi'' = -M_L g sin(phi) - MI (2 delta omega + kappa omega |omega|),
//     dW/dt = omega (MI phi'' + M_L g sin(phi)) = -MI (2 delta omega^2 + kappa |omega|^3):
// the linear (Stokes) drag takes 2 delta MI omega^2 every second and the
// quadratic one kappa MI |omega|^3, and W_00 - (W + both taken so far) stays
// zero but for the error of the computation.

// The energy the two drags took over one step of a run, J.
struct Dissipation {
    double linear = 0;
    double quadratic = 0;
};

// The step from `before` (the state a run stepped from) retraced with the
// run's own method: the same sub-steps, and in each the same four stages,
// with the taken energy as one more unknown of the Runge-Kutta system,
//     D' = MI (2 delta omega^2 + kappa |omega|^3),
// integrated with the stages' own weights h/6 (1, 2, 2, 1) at the stages'
// own angular velocities. D appears in no right-hand side, so the angle and
// the angular velocity come out bit for bit as the run's: the trajectory,
// its rows and W_poln are untouched, and the ledger is as accurate as the
// run itself. Everything in double. Where the step is the stiff method's
// (model/stable_step.h), the energy taken is the fall of the mechanical
// energy over the step, shared by the drags' powers at its ends.
// `after` is the state the run's step left: a step that needed no halving
// is read from the increments it holds.
Dissipation step_dissipation(const RunState& before, const RunState& after, const MotionCoefficients& k, double h,
                             double MI);

// The kinetic and potential energy of a state, J, in double; the potential
// is -M_L g cos(phi), zero at the height of the axis, as in W_poln.
struct MechanicalEnergy {
    double kinetic = 0;
    double potential = 0;
};
MechanicalEnergy mechanical_energy(double MI, double Mm_L, double fi_rad, double wz);

} // namespace vp
