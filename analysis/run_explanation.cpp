// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/run_explanation.h"

namespace vp {

RunExplanation explain_run(const RunRecord& record)
{
    const RunPart& part = record.parts().back();
    RunExplanation e;
    e.drag = drag_reading(part.p, part.c, part.wz_max);
    if (!record.has_ledger() || record.empty())
        return e;
    const EnergyRow end = record.energy(record.size() - 1);
    EnergyRow before;
    if (part.first_step > 0)
        before = record.energy(part.first_step - 1);
    EnergySummary energy;
    energy.from_t = part.first_step > 0 ? part.start.t : 0;
    energy.available = part.available;
    energy.D_lin = end.D_lin - before.D_lin;
    energy.D_quad = end.D_quad - before.D_quad;
    energy.largest_residual = part.largest_residual;
    e.energy = energy;
    return e;
}

} // namespace vp
