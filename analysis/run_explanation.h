// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/drag_regime.h"
#include "analysis/run_record.h"

#include <optional>

namespace vp {

// Where the energy of the last part of a run went, J.
struct EnergySummary {
    double from_t = 0;           // the time the part begins, s: 0 for a run of one part
    double available = 0;        // its energy at the start above the lowest position
    double D_lin = 0;            // taken by the linear (Stokes) drag in it
    double D_quad = 0;           // taken by the quadratic drag in it
    double largest_residual = 0; // the largest error of the balance in it
};

// What the analysis says beside the swings, for the last part of the run:
// the energy ledger at its end (none before a step of a run is kept) and
// the drag regime at its largest angular velocity.
struct RunExplanation {
    std::optional<EnergySummary> energy;
    DragReading drag;
};

RunExplanation explain_run(const RunRecord& record);

} // namespace vp
