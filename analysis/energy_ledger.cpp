// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/energy_ledger.h"

#include "model/constants.h"
#include "model/stable_step.h"

#include <cmath>

namespace vp {

Dissipation step_dissipation(const RunState& before, const MotionCoefficients& k, double h, double MI)
{
    // The sub-steps of integration_step.
    const int halvings = stability_halvings(before, k, h);
    const double sub_step = std::ldexp(h, -halvings);
    RunState s = before;
    Dissipation d;
    for (long i = 0; i < (1L << halvings); ++i) {
        const double w1 = s.wz_f;
        runge_kutta_step(s, k, sub_step);
        // The angular velocities the four stages were evaluated at.
        const double w[4] = {w1, w1 + s.k12 / 2, w1 + s.k22 / 2, w1 + s.k32};
        const double weight[4] = {1, 2, 2, 1};
        double squares = 0, cubes = 0;
        for (int j = 0; j < 4; ++j) {
            squares += weight[j] * w[j] * w[j];
            cubes += weight[j] * std::abs(w[j]) * w[j] * w[j];
        }
        d.linear += sub_step / 6 * 2 * k.delta * MI * squares;
        d.quadratic += sub_step / 6 * k.fi_2_x * MI * cubes;
    }
    return d;
}

MechanicalEnergy mechanical_energy(double MI, double Mm_L, double fi_rad, double wz)
{
    return {MI * wz * wz / 2, -Mm_L * g * std::cos(fi_rad)};
}

} // namespace vp
