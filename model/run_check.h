// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/characteristics.h"
#include "model/parameters.h"

namespace vp {

// Why a run cannot be made with the characteristics as they stand. Checked
// at the start press and again before every step, since a parameter file
// loaded during a run changes them.
enum class RunRefusal {
    none,
    motion_undefined, // no moment of inertia, no restoring moment, no finite step (motion_defined)
    out_of_range,     // energies or amplitudes beyond what single precision holds
    too_long,         // more steps than anyone could sit through
};

// A run of more steps than this is refused: at 10 ms a step it would take
// more than a day.
inline constexpr double max_run_steps = 1e7;

// A value every readout, curve and results row can show: the energies, the
// angular velocity and the angle in degrees are drawn in single precision.
bool fits_single(double v);

// The steps a run from 0 to Tmax takes at the step shag (may be huge, or not
// finite for an unusable step).
double run_steps(double Tmax, double shag);

RunRefusal run_refusal(const Parameters& p, const Characteristics& c);

} // namespace vp
