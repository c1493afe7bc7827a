// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/run.h"

namespace vp {

RunEnd raschet(RunState& s, const Parameters& p, const Characteristics& c, RunControl& control, RunObserver& observer)
{
    start_run(s, c.fi0_rad, p.wz0);
    RunEnd why = RunEnd::reached_tmax;
    while (s.t_f < p.Tmax && control.continues()) {
        const double before = s.t_f;
        runge_kutta_step(s, {c.W02, c.delta, c.fi_2_x}, c.shag);
        s.W_poln = total_energy(c.MI, c.Mm_L, s.fi_new, s.wz_new);
        observer.step_done(s);
        if (control.abandoned())
            return RunEnd::abandoned;
        if (s.t_f == before) {
            why = RunEnd::time_stalled;
            break;
        }
    }
    if (control.abandoned())
        return RunEnd::abandoned;
    if (why == RunEnd::reached_tmax && control.phase() == RunControl::Phase::stop_requested)
        why = RunEnd::stopped;
    control.end(why);
    return why;
}

} // namespace vp
