// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/characteristics.h"
#include "model/parameters.h"
#include "model/run_control.h"
#include "model/runge_kutta.h"

namespace vp {

// What a run shows after each step. The window draws the three curve
// segments, the readouts, the results row and the animation frame, then
// pauses; a stop pressed during that pause reaches the loop through the
// RunControl.
class RunObserver {
public:
    virtual ~RunObserver() = default;
    virtual void step_done(const RunState& s) = 0;
};

// raschet: the computation. Starts from time 0 at the starting angle fi0_rad
// and angular velocity wz0, and while the model time is below Tmax and the
// control lets the run continue, advances the state by one Runge-Kutta step
// of length shag (in stable sub-steps where the damping needs them, see
// integration_step), computes its total energy W_poln and hands it to the
// observer. Tmax, the step and the coefficients are read afresh at every
// step: a parameter file loaded during a pause changes them for the next one.
//
// Ends the control's run with the reason and returns it: reached_tmax,
// stopped, motion_undefined (the characteristics changed during the run to
// ones a run is refused for, run_refusal(): among them a step too small to
// advance the time), motion_failed (the next state would not have been
// finite, or not shown in single precision), or abandoned (the program is
// ending; the control stays abandoned). The state keeps the values of the
// last step shown: nothing unsound ever reaches the observer.
RunEnd raschet(RunState& s, const Parameters& p, const Characteristics& c, RunControl& control, RunObserver& observer);

} // namespace vp
