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
    e.energy =
        EnergySummary{part.available, end.D_lin - before.D_lin, end.D_quad - before.D_quad, part.largest_residual};
    return e;
}

} // namespace vp
