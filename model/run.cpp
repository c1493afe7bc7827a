// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/run.h"

#include "model/constants.h"
#include "model/run_check.h"
#include "model/stable_step.h"

#include <cmath>

namespace vp {
namespace {

// A state every readout, curve point and results row can show.
bool sound(const RunState& s)
{
    return std::isfinite(s.t_f) && std::isfinite(s.fi_new) && fits_single(s.fi_new / k_grad_rad) &&
           fits_single(s.wz_new) && fits_single(s.W_poln);
}

} // namespace

RunEnd raschet(RunState& s, const Parameters& p, const Characteristics& c, RunControl& control, RunObserver& observer)
{
    start_run(s, c.fi0_rad, p.wz0);
    RunEnd why = RunEnd::reached_tmax;
    while (s.t_f < p.Tmax && control.continues()) {
        // A refused run has no motion, or a step too small to advance the
        // time within a run of sensible length.
        if (run_refusal(p, c) != RunRefusal::none) {
            why = RunEnd::motion_undefined;
            break;
        }
        const RunState before = s;
        integration_step(s, {c.W02, c.delta, c.fi_2_x}, c.shag);
        s.W_poln = total_energy(c.MI, c.Mm_L, s.fi_new, s.wz_new);
        if (!sound(s)) {
            s = before;
            why = RunEnd::motion_failed;
            break;
        }
        observer.step_done(s);
        if (control.abandoned())
            return RunEnd::abandoned;
    }
    if (control.abandoned())
        return RunEnd::abandoned;
    if (why == RunEnd::reached_tmax && control.phase() == RunControl::Phase::stop_requested)
        why = RunEnd::stopped;
    control.end(why);
    return why;
}

} // namespace vp
