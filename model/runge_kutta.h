// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/equations.h"

namespace vp {

// The state of a run. The angle is carried from step to step in double
// precision, the angular velocity in single precision (wz_f): that mix, and
// the single-precision k42, shape the numerical result and are kept.
struct RunState {
    double t_f = 0;                            // model time, s
    double fi_f = 0;                           // angle at the start of the next step, rad
    float wz_f = 0;                            // angular velocity at the start of the next step, rad/s
    double fi_new = 0;                         // angle after the latest step, rad
    double wz_new = 0;                         // angular velocity after the latest step, rad/s
    double k11 = 0, k21 = 0, k31 = 0, k41 = 0; // angle increments of the four stages, rad
    double k12 = 0, k22 = 0, k32 = 0;          // angular-velocity increments of stages 1-3, rad/s
    float k42 = 0;                             // of stage 4, rad/s, in single precision
    float W_poln = 0;                          // total energy after the latest step, J
};

// The initial state: time 0, the starting angle (rad) and angular velocity.
void start_run(RunState& s, double fi0_rad, double wz0);

// One classical fourth-order Runge-Kutta step of length h.
void runge_kutta_step(RunState& s, const MotionCoefficients& k, double h);

// Total energy I*omega^2/2 - M_L*g*cos(phi) of a state, in single precision.
float total_energy(double MI, double Mm_L, double fi, double wz);

} // namespace vp
